// Code page 936 texts to UTF-16 and back, for the W functions of Win32.
#pragma once

#include <string>
#include <string_view>

namespace vorbel {

// A byte that does not start a valid character becomes U+FFFD; never fails.
std::wstring to_wide(std::string_view cp936);
// Characters outside code page 936 become "?".
std::string from_wide(std::wstring_view wide);

}  // namespace vorbel
