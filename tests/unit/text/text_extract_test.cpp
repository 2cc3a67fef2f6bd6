#include "text/text_extract.h"

#include <climits>

#include <gtest/gtest.h>

#include "shown.h"

namespace vorbel {
namespace {

using test::shown;

TEST(LocateText, FindsTheFirstOccurrenceAtACharacterStart) {
    struct Case {
        std::string_view text, sought;
        int from;
        bool ignore_case;
        int want;
    };
    const Case cases[] = {
        {"abcabc", "c", 1, false, 3},
        {"abcabc", "c", 4, false, 6},
        {"abcabc", "c", 6, false, 6},
        {"abcabc", "c", 0, false, 3},
        {"abcabc", "c", -7, false, 3},
        {"abcabc", "c", 7, false, -1},  // beyond the end
        {"abcabc", "c", INT_MAX, false, -1},
        {"abc", "abcd", 1, false, -1},
        {"abc", "bc", 1, false, 2},
        {"", "a", 1, false, -1},
        // The empty text is found at 1 wherever the search starts, if anything is left to search.
        {"abc", "", 1, false, 1},
        {"abc", "", 3, false, 1},
        {"abc", "", 4, false, -1},
        {"", "", 1, false, -1},
        // Only ASCII letters fold.
        {"xABC", "abc", 1, true, 2},
        {"xABC", "abc", 1, false, -1},
        {"xabc", "ABC", 1, true, 2},
        {"[", "{", 1, true, -1},
        {"@", "`", 1, true, -1},
        {"\xC1", "\xE1", 1, true, -1},
        // 亇 is 81 7D: its trail byte is never a "}".
        {"\x81\x7D", "}", 1, false, -1},
        {"\x81\x7D}", "}", 1, false, 3},
        // 你好 is C4 E3 BA C3: E3 BA lies across the two characters.
        {"\xC4\xE3\xBA\xC3", "\xE3\xBA", 1, false, -1},
        {"\xC4\xE3\xBA\xC3", "\xBA\xC3", 1, false, 3},
        // 丄 is 81 41: ignoring case must not turn its trail byte into an "a".
        {"\x81\x41" "a", "a", 1, true, 3},
    };
    for (const auto& c : cases) {
        int got = locate_text(c.text, c.sought, c.from, c.ignore_case);
        EXPECT_EQ(got, c.want) << "locate_text(" << shown(c.text) << ", " << shown(c.sought) << ", " << c.from
                               << ", " << c.ignore_case << ") = " << got << ", want " << c.want;
    }
}

TEST(TextBetween, CutsTheFirstPieceBetweenTheMarkers) {
    struct Case {
        std::string_view text, start, end;
        bool case_sensitive;
        std::string_view want;
    };
    const Case cases[] = {
        {"https://aip.example.com/rest/2.0/ocr", "https://", "/", false, "aip.example.com"},
        {"HTTP://Host.Example/x", "http://", "/", false, "Host.Example"},
        {"{\"access_token\":\"24.abc\",\"session_key\":\"9\"}", "\"access_token\":\"", "\",\"session_key\":\"", false,
         "24.abc"},
        {"{\"trans_result\":[{\"src\":\"Hi\",\"dst\":\"\\u4f60\"},{\"src\":\"x\",\"dst\":\"y\"}]}", "\"dst\":\"", "\"}",
         false, "\\u4f60"},
        // 版本号： then the version, closing tag in capitals.
        {"<span class=\"v\">\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xBA" "1.1</SPAN>", "\">\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xBA",
         "</span>", false, "1.1"},
        {"<b>Case</b>", "<B>", "</B>", true, ""},
        {"<b>Case</b>", "<B>", "</B>", false, "Case"},
        {"[ x ]", "[", "]", false, " x "},  // nothing is trimmed
        {"end] [start", "[", "]", false, ""},  // the end marker only before the start marker
        {"[start", "[", "]", false, ""},
        {"[]", "[", "]", false, ""},
        {"a]b]", "", "]", false, "a"},  // an empty start marker takes everything before the end marker
        {"", "", "]", false, ""},
        {"abc", "", "", false, ""},
        {"[abc", "[", "", false, ""},  // an empty end marker is "found" before the start marker
        {"", "[", "]", false, ""},
        {"[abc]", "[abc]", "]", false, ""},  // the start marker ends the text
        // #引号 stands for a double quote in a marker, never for itself.
        {"say \"hi\" now", "#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", false, "hi"},
        {"a#\xD2\xFD\xBA\xC5" "b#\xD2\xFD\xBA\xC5" "c", "#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", false, ""},
        {"k=\"v\"", "k=#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", false, "v"},
        // The end marker's bytes across two characters (C4 E3 | BA C3) are not a match.
        {"[\xC4\xE3\xBA\xC3]", "[", "\xE3\xBA", false, ""},
        {"{\x81\x7D}", "{", "}", false, "\x81\x7D"},
    };
    for (const auto& c : cases) {
        Text got = text_between(c.text, c.start, c.end, c.case_sensitive);
        EXPECT_EQ(got, c.want) << "text_between(" << shown(c.text) << ", " << shown(c.start) << ", " << shown(c.end)
                               << ", " << c.case_sensitive << ") = " << shown(got) << ", want " << shown(c.want);
    }
}

TEST(TextBetween, IgnoresCaseByDefault) {
    EXPECT_EQ(text_between("<A>x</A>", "<a>", "</a>"), "x");
}

TEST(CollectBetween, CollectsEveryPieceInOrderTrimmed) {
    struct Case {
        std::string_view text, start, end;
        bool case_sensitive;
        std::vector<std::string> want;
    };
    const std::string_view words = "{\"words\": \"";
    const Case cases[] = {
        {"{\"log_id\": 1, \"words_result\": [{\"words\": \" Hello world \"}, {\"words\": \"Second line\"}, "
         "{\"words\": \"\xD6\xD0\xCE\xC4\"}], \"words_result_num\": 3}",
         words, "\"}", true, {"Hello world", "Second line", "\xD6\xD0\xCE\xC4"}},
        {"{\"WORDS\": \"a\"}", words, "\"}", true, {}},
        {"{\"WORDS\": \"a\"}", words, "\"}", false, {"a"}},
        // A piece of spaces only ends the collection; later pieces are not taken.
        {"[a][  ][b]", "[", "]", true, {"a"}},
        {"[a][\xA1\xA1 \xA1\xA1][b]", "[", "]", true, {"a"}},
        {"[a][][b]", "[", "]", true, {"a"}},
        // Tabs and line breaks stay; ASCII and ideographic spaces go.
        {"[\t a \r\n]", "[", "]", true, {"\t a \r\n"}},
        {"[\xA1\xA1 \xB0\xA1 \xA1\xA1]", "[", "]", true, {"\xB0\xA1"}},  // 　啊　: 啊 ends in A1
        {"[\xB0\xA1\xA1\xA1]", "[", "]", true, {"\xB0\xA1"}},
        // The same marker on both sides: the texts between consecutive occurrences.
        {"x|a|b|c|y", "|", "|", true, {"a", "b", "c"}},
        {"<a><b>", "<", ">", true, {"a", "b"}},
        {"no markers here", "[", "]", true, {}},
        {"[open only", "[", "]", true, {}},
        {"[a][b", "[", "]", true, {"a"}},
        // An empty start marker matches once only, at the beginning.
        {"a]b]c]", "", "]", true, {"a"}},
        {"[a][b]", "[", "", true, {}},
        {"", "[", "]", true, {}},
        {"{\x81\x7D}{b}", "{", "}", true, {"\x81\x7D", "b"}},
    };
    for (const auto& c : cases) {
        std::vector<Text> got{"left over", "from before"};
        int count = collect_between(c.text, c.start, c.end, got, c.case_sensitive);
        EXPECT_EQ(got, c.want) << "collect_between(" << shown(c.text) << ", " << shown(c.start) << ", "
                               << shown(c.end) << ", " << c.case_sensitive << ") = " << shown(got) << ", want "
                               << shown(c.want);
        EXPECT_EQ(count, static_cast<int>(c.want.size())) << "returned count for " << shown(c.text);
    }
}

TEST(CollectBetween, UsesMarkersUnchanged) {
    std::vector<Text> got;
    collect_between("#\xD2\xFD\xBA\xC5" "a#\xD2\xFD\xBA\xC5 \"b\"", "#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", got, true);
    EXPECT_EQ(got, std::vector<Text>{"a"});
}

}  // namespace
}  // namespace vorbel
