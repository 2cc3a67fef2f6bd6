// Stepping through code page 936 texts one character at a time.
#pragma once

#include <cstddef>
#include <string_view>

namespace vorbel {

// True for a byte that starts a two-byte character in the program's view of
// code page 936 texts (0x80 or above).
inline bool starts_double_byte(unsigned char byte) { return byte >= 0x80; }

// Length of the character that starts at `pos`: 2 for a lead byte, 1 for
// any other byte, and 1 for a lead byte that is the text's last byte.
inline std::size_t char_length_at(std::string_view text, std::size_t pos) {
    if (starts_double_byte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
    return 1;
}

}  // namespace vorbel
