#include "text/replace.h"

#include <gtest/gtest.h>

#include "shown.h"

namespace vorbel {
namespace {

using test::shown;

TEST(ReplaceAll, ReplacesEveryOccurrenceCharacterByCharacter) {
    struct Case {
        std::string_view text, from, to, want;
    };
    const Case cases[] = {
        {"a\r\nb\r\nc", "\r\n", "{$}", "a{$}b{$}c"},
        {"aaa", "aa", "b", "ba"},  // resumes after the replaced occurrence
        {"abc", "", "x", "abc"},
        {"", "a", "b", ""},
        {"'x'", "'", "\xA1\xAF", "\xA1\xAFx\xA1\xAF"},
        {"\\u4f60", "\\u", "%u", "%u4f60"},
        // 誠 is D5 5C: its trail byte looks like a backslash but starts nothing.
        {"\xD5\x5Cu0041", "\\u", "%u", "\xD5\x5Cu0041"},
        {"\xD5\x5C\\u0041", "\\u", "%u", "\xD5\x5C%u0041"},
        // 亇 is 81 7D: a trail byte of "}" is not the end of "{$}".
        {"{$\x81\x7D}", "$}", "!", "{$\x81\x7D}"},
        {"Case", "case", "x", "Case"},
        {"ab\xC4", "\xC4", "z", "abz"},  // a lead byte at the end stands alone
    };
    for (const auto& c : cases) {
        EXPECT_EQ(replace_all(c.text, c.from, c.to), c.want)
            << "replace_all(" << shown(c.text) << ", " << shown(c.from) << ", " << shown(c.to)
            << ") = " << shown(replace_all(c.text, c.from, c.to)) << ", want " << shown(c.want);
    }
}

}  // namespace
}  // namespace vorbel
