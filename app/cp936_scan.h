// Searching code page 936 texts on character boundaries.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/dbcs.h"

namespace vorbel {

// Position of the first `needle` that starts on a character boundary, or
// npos; `from` must itself be a boundary. Needed because the trail byte of a
// two-byte character can look like ASCII ('\\', ']', '@'...).
inline std::size_t cp936_find(std::string_view text, std::string_view needle, std::size_t from = 0) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    for (std::size_t pos = from; pos < text.size(); pos += char_length_at(text, pos)) {
        if (text.compare(pos, needle.size(), needle) == 0) return pos;
    }
    return std::string_view::npos;
}

}  // namespace vorbel
