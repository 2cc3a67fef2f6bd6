// Walking code page 936 texts one character at a time.
#pragma once

#include <cstddef>
#include <string_view>

namespace vorbel {

// Length in bytes of the character that starts at `pos`: a byte of 0x80 or
// above starts a two-byte character, unless it is the text's last byte.
inline std::size_t cp936_char_length(std::string_view text, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    return (byte >= 0x80 && pos + 1 < text.size()) ? 2 : 1;
}

// Position of the first `needle` that starts on a character boundary, or
// npos. Needed because the trail byte of a two-byte character can look like
// ASCII ('\\', ']', '@'...).
inline std::size_t cp936_find(std::string_view text, std::string_view needle, std::size_t from = 0) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    for (std::size_t pos = from; pos < text.size(); pos += cp936_char_length(text, pos)) {
        if (text.compare(pos, needle.size(), needle) == 0) return pos;
    }
    return std::string_view::npos;
}

}  // namespace vorbel
