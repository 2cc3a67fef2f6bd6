// Conversions between code page 936, UTF-8 and UTF-16.
//
// The program's texts are code page 936 bytes; UTF-16 is used only at the
// Windows boundary and UTF-8 only for answers that arrive in it. Every
// function accepts any bytes and never fails; what malformed input becomes
// is stated below and is the same on every platform. NUL characters are
// converted like any other.
#pragma once

#include <string>
#include <string_view>

#include "text/text_types.h"

namespace vorbel {

// Decodes code page 936. The single byte 0x80 is the euro sign. A byte that
// starts no character (0xFF, a lead byte at the end or before a byte that
// cannot be a trail byte) becomes U+FFFD on its own, and decoding resumes at
// the next byte; a well-formed pair that the code page leaves unassigned
// becomes one U+FFFD on Linux (Windows maps its user-defined ranges to the
// private use area).
std::u16string cp936_to_utf16(std::string_view text);

// Encodes into code page 936. A base letter followed by combining marks is
// first composed into the precomposed character where the code page has it
// (e followed by U+0301 gives é, A8 A6). A character the code page cannot
// represent, a surrogate pair and a lone surrogate each become one "?".
std::string utf16_to_cp936(std::u16string_view text);

// Decodes UTF-8. Each maximal ill-formed subsequence (a stray continuation
// byte, a truncated sequence, an overlong form, an encoded surrogate, a value
// above U+10FFFF) becomes one U+FFFD.
std::u16string utf8_to_utf16(std::string_view text);

// Encodes into UTF-8; a lone surrogate becomes U+FFFD (EF BF BD).
std::string utf16_to_utf8(std::u16string_view text);

// utf16_to_cp936(utf8_to_utf16(text)).
Text utf8_to_cp936(std::string_view text);

// utf16_to_utf8(cp936_to_utf16(text)).
std::string cp936_to_utf8(std::string_view text);

}  // namespace vorbel
