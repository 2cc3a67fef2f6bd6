#include "text/codepage.h"

#include <gtest/gtest.h>

#include "shown.h"

namespace vorbel {
namespace {

using namespace std::string_literals;
using test::shown;

TEST(Cp936ToUtf16, DecodesCharactersAndReplacesMalformedBytes) {
    struct Case {
        std::string bytes;
        std::u16string want;
    };
    const Case cases[] = {
        {"", u""},
        {"Hello", u"Hello"},
        {"\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},       // 中文
        {"\xC4\xE3\xBA\xC3!", u"\u4F60\u597D!"},     // 你好!
        {"\xA1\xAF\xA1\xA1", u"\u2019\u3000"},       // ’ and the ideographic space
        {"\xA8\xA6", u"\u00E9"},                     // é
        {"\x80", u"\u20AC"},                         // the euro sign
        {"\xD5\x5C", u"\u8AA0"},                     // 誠: its trail byte is no backslash
        {"a\0b"s, u"a\0b"s},
        {"a\xFF" "b", u"a\uFFFD" "b"},
        {"a\xC4", u"a\uFFFD"},                       // a lead byte at the end
        {"\xC4 b", u"\uFFFD b"},                     // a lead byte before a byte that is no trail byte
        {"\xC4\x7F", u"\uFFFD\u007F"},
        {"\xC4\x0A\xC4\xE3", u"\uFFFD\n\u4F60"},     // decoding resumes at the next byte
    };
    for (const auto& c : cases) {
        std::u16string got = cp936_to_utf16(c.bytes);
        EXPECT_EQ(got, c.want) << "cp936_to_utf16(" << shown(c.bytes) << ") = " << shown(got) << ", want "
                               << shown(c.want);
    }
}

TEST(Utf16ToCp936, EncodesComposesAndUsesTheDefaultCharacter) {
    struct Case {
        std::u16string text;
        std::string want;
    };
    const Case cases[] = {
        {u"", ""},
        {u"Hello", "Hello"},
        {u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
        {u"\u4FE1\u606F\uFF1A", "\xD0\xC5\xCF\xA2\xA3\xBA"},  // 信息：
        {u"\u20AC", "\x80"},
        {u"\u2019", "\xA1\xAF"},
        {u"a\0b"s, "a\0b"s},
        {u"\u0E01", "?"},                     // Thai: not in the code page
        {u"\uFFFD", "?"},
        {u"x\U0001F600y", "x?y"},            // a surrogate pair is one character
        {u"x\xD83Dy", "x?y"},                // lone high surrogate
        {u"x\xDE00y", "x?y"},                // lone low surrogate
        {u"\xDE00\xD83D", "??"},
        // A base letter and a combining mark become the precomposed character.
        {u"e\u0301", "\xA8\xA6"},             // é
        {u"caf" u"e\u0301!", "caf\xA8\xA6!"},
        {u"u\u0308\u0301", "\xA8\xB6"},       // ǘ, composed in two steps
        {u"\u00FC\u030C", "\xA8\xB7"},        // ǚ
        {u"\u0435\u0308", "\xA7\xD7"},        // ё
        {u"\u30A6\u3099", "\xA5\xF4"},        // ヴ
        {u"x\u0301", "x?"},                   // no precomposed form: the mark is unrepresentable
        {u"\u0301e", "?e"},                   // a mark before its letter composes nothing
        {u"e\u0301\u0301", "\xA8\xA6?"},
    };
    for (const auto& c : cases) {
        std::string got = utf16_to_cp936(c.text);
        EXPECT_EQ(got, c.want) << "utf16_to_cp936(" << shown(c.text) << ") = " << shown(got) << ", want "
                               << shown(c.want);
    }
}

TEST(Utf8ToUtf16, DecodesAndReplacesIllFormedSubsequences) {
    struct Case {
        std::string bytes;
        std::u16string want;
    };
    const Case cases[] = {
        {"", u""},
        {"abc", u"abc"},
        {"\xE4\xBD\xA0\xE5\xA5\xBD", u"\u4F60\u597D"},
        {"\xC3\xA9", u"\u00E9"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xEF\xBB\xBFx", u"\uFEFFx"},           // a byte order mark is kept as a character
        {"\0"s, u"\0"s},
        {"\x80", u"\uFFFD"},                     // stray continuation byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"}, // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xF5", u"\uFFFD"},
        {"\xE4\xBD", u"\uFFFD"},                 // truncated at the end
        {"\xE4\xBDx", u"\uFFFDx"},               // truncated before another character
        {"\xF0\x9F\x98" "a", u"\uFFFD" "a"},
        {"a\xFF" "b", u"a\uFFFD" "b"},
    };
    for (const auto& c : cases) {
        std::u16string got = utf8_to_utf16(c.bytes);
        EXPECT_EQ(got, c.want) << "utf8_to_utf16(" << shown(c.bytes) << ") = " << shown(got) << ", want "
                               << shown(c.want);
    }
}

TEST(Utf16ToUtf8, EncodesAndReplacesLoneSurrogates) {
    struct Case {
        std::u16string text;
        std::string want;
    };
    const Case cases[] = {
        {u"", ""},
        {u"abc", "abc"},
        {u"\u00E9\u4F60", "\xC3\xA9\xE4\xBD\xA0"},
        {u"\u07FF\u0800\uFFFF", "\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        {u"a\xD83D", "a\xEF\xBF\xBD"},
        {u"\xDE00" "a", "\xEF\xBF\xBD" "a"},
        {u"a\0"s, "a\0"s},
    };
    for (const auto& c : cases) {
        std::string got = utf16_to_utf8(c.text);
        EXPECT_EQ(got, c.want) << "utf16_to_utf8(" << shown(c.text) << ") = " << shown(got) << ", want "
                               << shown(c.want);
    }
}

TEST(Utf8AndCp936, ConvertThroughUtf16) {
    struct Case {
        std::string utf8;
        std::string cp936;
    };
    const Case cases[] = {
        {"", ""},
        {"\xE7\x89\x88\xE6\x9C\xAC\xE5\x8F\xB7\xEF\xBC\x9A" "1.1", "\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xBA" "1.1"},  // 版本号：1.1
        {"caf\xC3\xA9", "caf\xA8\xA6"},
        {"\xE2\x82\xAC", "\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8_to_cp936(c.utf8), c.cp936) << "utf8_to_cp936(" << shown(c.utf8) << ") = "
                                                  << shown(utf8_to_cp936(c.utf8)) << ", want " << shown(c.cp936);
        EXPECT_EQ(cp936_to_utf8(c.cp936), c.utf8) << "cp936_to_utf8(" << shown(c.cp936) << ") = "
                                                  << shown(cp936_to_utf8(c.cp936)) << ", want " << shown(c.utf8);
    }
    // Decomposed input and characters outside the code page.
    EXPECT_EQ(utf8_to_cp936("cafe\xCC\x81"), "caf\xA8\xA6");
    EXPECT_EQ(utf8_to_cp936("1.0 \xF0\x9F\x98\x80 \xE0\xB8\x81"), "1.0 ? ?");
    EXPECT_EQ(utf8_to_cp936("\xC3("), "?(");
}

// Every two-byte character the code page assigns must come back to the same
// bytes; a mismatch between the two directions would corrupt texts that pass
// through UTF-16 and back (every window text does).
TEST(Cp936RoundTrip, EveryAssignedPairComesBack) {
    std::string all_pairs;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            all_pairs += static_cast<char>(lead);
            all_pairs += static_cast<char>(trail);
        }
    }
    std::u16string decoded = cp936_to_utf16(all_pairs);
    ASSERT_EQ(decoded.size(), all_pairs.size() / 2) << "each well-formed pair decodes to one unit";
    int assigned = 0;
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] == u'\uFFFD') continue;
        ++assigned;
        std::string pair = all_pairs.substr(2 * i, 2);
        std::string back = utf16_to_cp936(decoded.substr(i, 1));
        EXPECT_EQ(back, pair) << "pair " << shown(pair) << " decodes to " << shown(decoded.substr(i, 1))
                              << " which encodes to " << shown(back);
    }
    EXPECT_GT(assigned, 21000) << "the code page's table seems to be missing";
}

}  // namespace
}  // namespace vorbel
