// A small JSON writer for the probe's output (UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace vorbel::probe {

// `text` as a JSON string literal, quotes included; `text` is UTF-8.
std::string json_string(std::string_view text);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string to_utf8(std::wstring_view text);

}  // namespace vorbel::probe
