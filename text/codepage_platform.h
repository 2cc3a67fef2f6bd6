// The character tables of code page 936, as each system provides them. The
// callers (codepage.cpp) have already split off every malformed sequence, so
// the platform only has to map characters it knows and mark the rest.
#pragma once

#include <string>
#include <string_view>

namespace vorbel {

// `text` holds only well-formed characters: single bytes below 0x81 and
// pairs of a lead byte 0x81-0xFE with a trail byte 0x40-0x7E or 0x80-0xFE.
// Appends the UTF-16 form of each to `out`, and U+FFFD for each pair that
// the code page leaves unassigned.
void decode_cp936_chars(std::string_view text, std::u16string& out);

// `text` holds no surrogates. Appends the code page 936 bytes of each
// character to `out`, and "?" for each that the code page cannot represent
// (no best-fit substitutes).
void encode_cp936_chars(std::u16string_view text, std::string& out);

}  // namespace vorbel
