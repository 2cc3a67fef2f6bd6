// Replace-all over code page 936 texts.
#pragma once

#include <string_view>

#include "text/text_types.h"

namespace vorbel {

// `text` with every occurrence of `from` replaced by `to`, scanning from the
// start. The scan steps over two-byte characters as units (a byte of 0x80 or
// above takes the next byte with it), so a trail byte never begins a match,
// and it resumes after each replaced occurrence. Case-sensitive. An empty
// `from` leaves the text unchanged.
Text replace_all(std::string_view text, std::string_view from, std::string_view to);

}  // namespace vorbel
