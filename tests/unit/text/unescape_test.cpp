#include "text/unescape.h"

#include <gtest/gtest.h>

#include "shown.h"

namespace vorbel {
namespace {

using namespace std::string_literals;
using test::shown;

struct Case {
    std::string text;
    std::string want;
};

void expect_decodes(const Case& c) {
    Text got = unescape_text(c.text);
    EXPECT_EQ(got, c.want) << "unescape_text(" << shown(c.text) << ") = " << shown(got) << ", want " << shown(c.want);
}

TEST(UnescapeText, DecodesJsonEscapes) {
    const Case cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"\\u4f60\\u597d", "\xC4\xE3\xBA\xC3"},  // 你好
        {"\\u4F60\\u597D", "\xC4\xE3\xBA\xC3"},
        {"Hi \\u4f60!", "Hi \xC4\xE3!"},
        {"\\u00e9", "\xA8\xA6"},                  // é
        {"e\\u0301", "\xA8\xA6"},                 // composed on the way back
        {"\\/", "/"},
        {"\\\"", "\""},
        {"\\\\", "\\"},
        {"a\\nb", "a\nb"},
        {"\\r\\n", "\r\n"},
        {"\\t\\b\\v\\f", "\t\b\v\f"},
        {"\\u0e01", "?"},                         // Thai: not in the code page
        {"\\ud83d\\ude00", "?"},                  // one character outside the basic plane
        {"\\ud83d", "?"},
        {"\xD6\xD0\xCE\xC4", "\xD6\xD0\xCE\xC4"}, // code page 936 text goes through unchanged
    };
    for (const auto& c : cases) expect_decodes(c);
}

TEST(UnescapeText, KeepsWhatTheMasksProtect) {
    const Case cases[] = {
        {"a\r\nb", "a\r\nb"},
        {"\xC4\xE3\r\n\xBA\xC3", "\xC4\xE3\r\n\xBA\xC3"},
        {"don't", "don't"},
        {"'", "'"},
        {"\xA1\xAF", "'"},             // ’ comes back as an apostrophe
        {"\\u2019", "'"},
        {"{$}", "\r\n"},
        {"x{$}y", "x\r\ny"},
        {"\\u007b$}", "\r\n"},          // a decoded mask is unmasked too
        {"\rabc", "abc"},               // a carriage return at the start is dropped
        {"\r\nabc", "\r\nabc"},
        {"\r\r\nabc", "\r\nabc"},
    };
    for (const auto& c : cases) expect_decodes(c);
}

TEST(UnescapeText, AppliesUnescapeToPercentSequences) {
    const Case cases[] = {
        {"50%", "50%"},
        {"%41", "A"},
        {"%4", "%4"},
        {"%%41", "%A"},
        {"%zz", "%zz"},
        {"%u4f60", "\xC4\xE3"},
        {"%u4f6", "%u4f6"},
        {"%E9", "\xA8\xA6"},            // é (U+00E9)
        {"%u00", "%u00"},
        {"100%u", "100%u"},
        // An escaped backslash before u0041: the u is rewritten, the literal
        // then holds \%u0041, whose value %u0041 unescapes to A.
        {"\\\\u0041", "A"},
        {"\\%41", "A"},
        {"\\x25\\x34\\x31", "A"},       // the escapes build "%41" before unescape runs
    };
    for (const auto& c : cases) expect_decodes(c);
}

TEST(UnescapeText, ReadsHexAndOctalEscapes) {
    const Case cases[] = {
        {"\\x41", "A"},
        {"\\x4a", "J"},
        {"\\xe9", "\xA8\xA6"},
        {"\\101", "A"},
        {"\\1011", "A1"},               // three digits at most
        {"\\47", "'"},
        {"\\477", "'7"},                 // a first digit of 4-7 takes one more only
        {"\\400", " 0"},
        {"\\7a", "\x07" "a"},
        {"\\12x", "\nx"},
        {"a\\0b", "a"},                  // NUL ends the text
        {"\\q", "q"},                    // any other character stands for itself
        {"\\'", "'"},
    };
    for (const auto& c : cases) expect_decodes(c);
}

TEST(UnescapeText, DecodesInvalidLiteralsLeniently) {
    const Case cases[] = {
        {"a\nb", "a\nb"},
        {"a\rb", "a\rb"},
        {"ab\\", "ab\\"},
        {"\\", "\\"},
        {"\\8", "8"},
        {"\\08", ""},                    // \0 then 8; the NUL ends the text
        {"x\\08", "x"},
        {"\\129", "\n9"},
        {"\\x4", "x4"},
        {"\\xg1", "xg1"},
        {"\\\n", "\n"},
        {"\xFF" "a", "?a"},              // not a code page 936 character
        {"a\0b"s, "a"},
    };
    for (const auto& c : cases) expect_decodes(c);
}

// A trail byte that looks like a backslash or an apostrophe must not be read
// as one: 誠 is D5 5C, 乗 is 81 5C.
TEST(UnescapeText, StepsOverTwoByteCharacters) {
    const Case cases[] = {
        {"\xD5\x5Cu0041", "\xD5\x5Cu0041"},
        {"\x81\x5Cn", "\x81\x5Cn"},
        {"\xD5\x5C\\u0041", "\xD5\x5C" "A"},
        {"\xD5\x5C\\\\", "\xD5\x5C\\"},
    };
    for (const auto& c : cases) expect_decodes(c);
}

}  // namespace
}  // namespace vorbel
