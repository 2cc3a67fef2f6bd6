// Decoding of the escapes in a value cut out of a JSON answer.
#pragma once

#include <string_view>

#include "text/text_types.h"

namespace vorbel {

// Decodes `text` the way a script would that reads it as the body of a
// single-quoted string literal and passes that through `unescape`:
//
//  1. Masking: every "\r\n" becomes "{$}", a carriage return that is then
//     the first byte is dropped, every backslash-u becomes "%u" and every
//     apostrophe becomes the right single quotation mark (A1 AF).
//  2. The text, taken to UTF-16, is read as a single-quoted string literal of
//     the third edition of ECMAScript: \b \t \n \v \f \r \' \" \\, \x with two
//     hexadecimal digits, \0 and the legacy octal escapes (\7, \47, \377),
//     and a backslash before any other character stands for that character.
//  3. The value goes through `unescape`: "%u" with four hexadecimal digits
//     becomes that UTF-16 code unit, "%" with two becomes the character of
//     that code, every other "%" stays.
//  4. Back in code page 936 (characters it lacks become "?"), every A1 AF
//     becomes an apostrophe and every "{$}" becomes "\r\n".
//
// So backslash-u4F60 gives the character U+4F60, "%41" gives "A", "50%"
// stays, a decoded U+2019 comes back as an apostrophe.
//
// Inputs that would not form a valid literal are decoded leniently instead
// of failing: a raw line feed or carriage return, a raw apostrophe and a
// trailing backslash stay as they are; \8 and \9 give the digit; an octal
// escape followed by a decimal digit is read as the longest octal escape
// (\08 is NUL then "8"); \x without two hexadecimal digits gives "x", and a
// backslash-u that survived the masking (only possible after a malformed
// two-byte character) is read as a \u escape when four hexadecimal digits
// follow, else as "u". Bytes that are not valid code page 936 come back as
// "?". A decoded NUL ends the result, as it ends every Text.
Text unescape_text(std::string_view text);

}  // namespace vorbel
