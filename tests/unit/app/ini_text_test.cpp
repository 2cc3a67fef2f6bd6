#include "app/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vorbel {
namespace {

struct ReadCase {
    const char* name;
    std::string file;
    std::string section, key;
    std::optional<std::string> want;
};

TEST(IniValue, FindsKeysTheWayTheSystemReadsThem) {
    const std::vector<ReadCase> cases = {
        {"plain", "[config]\r\noption=2\r\n", "config", "option", "2"},
        {"line feeds only", "[config]\nfr0=7\n", "config", "fr0", "7"},
        {"no final line break", "[config]\r\nfr0=7", "config", "fr0", "7"},
        {"names ignore ASCII case", "[CONFIG]\r\nOption=2\r\n", "config", "oPTION", "2"},
        {"blanks around names and values", "  [ config ]  \r\n\t option =  2 \t\r\n", "config", "option", "2"},
        {"value in double quotes", "[config]\r\nkey=\" a b \"\r\n", "config", "key", " a b "},
        {"value in single quotes", "[config]\r\nkey='x'\r\n", "config", "key", "x"},
        {"unmatched quotes stay", "[config]\r\nkey=\"x'\r\n", "config", "key", "\"x'"},
        {"empty value", "[config]\r\nkey=\r\n", "config", "key", ""},
        {"line without equals is a key without value", "[config]\r\nkey\r\n", "config", "key", ""},
        {"value keeps later equals signs", "[config]\r\nkey=a=b\r\n", "config", "key", "a=b"},
        {"first of two keys wins", "[config]\r\nkey=1\r\nkey=2\r\n", "config", "key", "1"},
        {"key of another section", "[other]\r\nkey=1\r\n[config]\r\n", "config", "key", std::nullopt},
        {"key before any section", "key=1\r\n[config]\r\n", "config", "key", std::nullopt},
        {"missing section", "[other]\r\nkey=1\r\n", "config", "key", std::nullopt},
        {"empty file", "", "config", "key", std::nullopt},
        {"header without closing bracket is no section", "[config\r\nkey=1\r\n", "config", "key", std::nullopt},
        {"two-byte value", "[config]\r\ndate=2019\xC4\xEA" "3\xD4\xC2" "7\xC8\xD5\r\n", "config", "date",
         "2019\xC4\xEA" "3\xD4\xC2" "7\xC8\xD5"},
        // Trail bytes 0x41 ('A') and 0x61 ('a') make different characters.
        {"trail bytes do not fold", "[config]\r\n\xB0\x41=1\r\n", "config", "\xB0\x61", std::nullopt},
        {"two-byte names match exactly", "[config]\r\n\xB0\x41=1\r\n", "config", "\xB0\x41", "1"},
        // 0x5D (']') as a trail byte does not close the header.
        {"bracket as trail byte", "[\xB0\x5D]\r\nkey=1\r\n", "\xB0\x5D", "key", "1"},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(ini_value(c.file, c.section, c.key), c.want) << c.name;
    }
}

struct WriteCase {
    const char* name;
    std::string before;
    std::string section, key, value;
    std::optional<std::string> want;
};

TEST(IniWithValue, KeepsTheFileAndPlacesNewKeysAtTheEndOfTheirSection) {
    const std::vector<WriteCase> cases = {
        {"new file", "", "config", "option", "1", "[config]\r\noption=1\r\n"},
        {"append to section", "[config]\r\noption=1\r\n", "config", "fr0", "50",
         "[config]\r\noption=1\r\nfr0=50\r\n"},
        {"append before the next section and its blank line",
         "[a]\r\nx=1\r\n\r\n[config]\r\noption=1\r\n\r\n[b]\r\ny=2\r\n", "config", "fr0", "50",
         "[a]\r\nx=1\r\n\r\n[config]\r\noption=1\r\nfr0=50\r\n\r\n[b]\r\ny=2\r\n"},
        {"append to an empty section", "[config]\r\n\r\n[b]\r\n", "config", "fr0", "50",
         "[config]\r\nfr0=50\r\n\r\n[b]\r\n"},
        {"append after a file without final line break", "[config]\r\noption=2", "config", "fr0", "50",
         "[config]\r\noption=2\r\nfr0=50\r\n"},
        {"append after a bare header", "[config]", "config", "fr0", "50", "[config]\r\nfr0=50\r\n"},
        {"replace keeps place, spelling and line ending", "[config]\r\n  Option = 2\r\nfr0=5\r\n", "config",
         "option", "1", "[config]\r\n  Option=1\r\nfr0=5\r\n"},
        {"replace in a line-feed file", "[config]\noption=2\nfr0=5\n", "config", "option", "1",
         "[config]\noption=1\nfr0=5\n"},
        {"replace the last line without line break", "[config]\r\nfr0=5", "config", "fr0", "4",
         "[config]\r\nfr0=4"},
        {"replace only the first duplicate", "[config]\r\nfr0=5\r\nfr0=6\r\n", "config", "fr0", "4",
         "[config]\r\nfr0=4\r\nfr0=6\r\n"},
        {"same key in another section untouched", "[other]\r\nfr0=5\r\n", "config", "fr0", "4",
         "[other]\r\nfr0=5\r\n[config]\r\nfr0=4\r\n"},
        {"new section after a file without final line break", "[a]\r\nx=1", "config", "option", "1",
         "[a]\r\nx=1\r\n[config]\r\noption=1\r\n"},
        {"unknown lines kept", "; note\r\n[config]\r\ngarbage\r\noption=2\r\n", "config", "option", "1",
         "; note\r\n[config]\r\ngarbage\r\noption=1\r\n"},
        {"section matched without case", "[Config]\r\n", "config", "fr1", "10", "[Config]\r\nfr1=10\r\n"},
        {"empty value", "[config]\r\nfr0=5\r\n", "config", "fr0", "", "[config]\r\nfr0=\r\n"},
        {"value with line break refused", "[config]\r\n", "config", "fr0", "1\r\n[evil]", std::nullopt},
        {"key with line break refused", "", "config", "a\nb", "1", std::nullopt},
        {"key with equals refused", "", "config", "a=b", "1", std::nullopt},
        {"key like a header refused", "", "config", "[x]", "1", std::nullopt},
        {"empty key refused", "", "config", " ", "1", std::nullopt},
        {"empty section refused", "", "", "key", "1", std::nullopt},
        {"section with bracket refused", "", "a]b", "key", "1", std::nullopt},
        {"section ending in a lead byte refused", "", "ir1\x9D", "key", "1", std::nullopt},
        {"key ending in a lead byte refused", "", "config", "k\xB0", "1", std::nullopt},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(ini_with_value(c.before, c.section, c.key, c.value), c.want) << c.name;
    }
}

TEST(IniWithValue, WrittenValuesReadBack) {
    std::string file;
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"option", "1"}, {"fr0", "50"}, {"fr1", "10"}, {"date", "2019\xC4\xEA" "3\xD4\xC2" "7\xC8\xD5"}};
    for (const auto& [key, value] : keys) file = ini_with_value(file, "config", key, value).value_or(file);
    for (const auto& [key, value] : keys) EXPECT_EQ(ini_value(file, "config", key), value) << key;
}

}  // namespace
}  // namespace vorbel
