#include "net/charset.h"

#include <gtest/gtest.h>

#include <string>

namespace vorbel {
namespace {

TEST(ConvertCharset, Conversions) {
    struct Case {
        std::string name;
        std::string input;
        std::string from;
        std::string to;
        std::string want;
    };
    const Case cases[] = {
        {"defaults are UTF-8 to GBK", "\xE7\x89\x88\xE6\x9C\xAC 1.0", "", "",
         "\xB0\xE6\xB1\xBE 1.0"},  // 版本 1.0
        {"names ignore case", "\xE4\xBD\xA0", "utf-8", "gbk", "\xC4\xE3"},  // 你
        {"other names of the code page", "\xE4\xBD\xA0", "UTF8", "CP936", "\xC4\xE3"},
        {"back to UTF-8", "\xC4\xE3\xBA\xC3", "GBK", "UTF-8", "\xE4\xBD\xA0\xE5\xA5\xBD"},  // 你好
        {"same set both sides unchanged", std::string("\xFF\x00\x80", 3), "GBK", "gb2312", std::string("\xFF\x00\x80", 3)},
        {"NUL bytes are kept", std::string("a\0b", 3), "", "", std::string("a\0b", 3)},
        {"byte order mark dropped", "\xEF\xBB\xBFok", "", "", "ok"},
        {"character outside the code page becomes ?", "a\xF0\x9F\x98\x80z", "", "", "a?z"},
        {"unknown source set", "abc", "ISO-8859-7", "", ""},
        {"unknown target set", "abc", "", "KOI8-R", ""},
        {"empty input", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convert_charset(c.input, c.from, c.to), c.want) << c.name;
    }
}

}  // namespace
}  // namespace vorbel
