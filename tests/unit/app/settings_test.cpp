#include "app/settings.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/fake/fake_clock.h"
#include "app/fake/memory_profile_store.h"

namespace vorbel {
namespace {

const Text config_path = "C:\\Vorbel\\config.ini";
const Text march_7 = "2019\xC4\xEA" "3\xD4\xC2" "7\xC8\xD5";  // 2019年3月7日
const Text march_6 = "2019\xC4\xEA" "3\xD4\xC2" "6\xC8\xD5";  // 2019年3月6日
const Text april_1 = "2019\xC4\xEA" "4\xD4\xC2" "1\xC8\xD5";  // 2019年4月1日

Text config(const std::vector<std::pair<Text, Text>>& keys) {
    Text text = "[config]\r\n";
    for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
    return text;
}

struct SettingsFixture : ::testing::Test {
    MemoryProfileStore store;
    FakeClock clock{FakeClock::date_time(2019, 3, 7, 9, 5, 0)};
    Settings settings{store, clock};
};

TEST_F(SettingsFixture, PathIsProgramFolderAndConfigIni) {
    EXPECT_EQ(settings.settings_path(), config_path);
}

struct StartDayCase {
    const char* name;
    std::optional<Text> before;  // nullopt: no file
    DayOutcome want_outcome;
    Text want_option;
    Text want_after;
};

TEST_F(SettingsFixture, StartDayRefillsOncePerDay) {
    const std::vector<StartDayCase> cases = {
        {"no file", std::nullopt, DayOutcome::first_start, "",
         config({{"option", "1"}, {"fr0", "50"}, {"fr1", "10"}, {"date", march_7}})},
        {"same day keeps the counts",
         config({{"option", "2"}, {"fr0", "7"}, {"fr1", "-3"}, {"date", march_7}}), DayOutcome::same_day, "2",
         config({{"option", "2"}, {"fr0", "7"}, {"fr1", "-3"}, {"date", march_7}})},
        {"earlier day refills, option becomes 1",
         config({{"option", "2"}, {"fr0", "0"}, {"fr1", "-4"}, {"date", march_6}}), DayOutcome::new_day, "2",
         config({{"option", "1"}, {"fr0", "50"}, {"fr1", "10"}, {"date", march_7}})},
        {"later day (clock set back) refills",
         config({{"option", "1"}, {"fr0", "3"}, {"fr1", "2"}, {"date", april_1}}), DayOutcome::new_day, "1",
         config({{"option", "1"}, {"fr0", "50"}, {"fr1", "10"}, {"date", march_7}})},
        {"date with leading zeros is another day",
         config({{"option", "1"}, {"fr0", "3"}, {"fr1", "2"}, {"date", "2019\xC4\xEA" "03\xD4\xC2" "07\xC8\xD5"}}),
         DayOutcome::new_day, "1", config({{"option", "1"}, {"fr0", "50"}, {"fr1", "10"}, {"date", march_7}})},
        {"option 3 is not empty: no refill",
         config({{"option", "3"}, {"fr0", "5"}, {"fr1", "1"}, {"date", march_7}}), DayOutcome::same_day, "3",
         config({{"option", "3"}, {"fr0", "5"}, {"fr1", "1"}, {"date", march_7}})},
        {"option removed by hand refills",
         config({{"fr0", "0"}, {"fr1", "0"}, {"date", march_7}}), DayOutcome::first_start, "",
         config({{"fr0", "50"}, {"fr1", "10"}, {"date", march_7}, {"option", "1"}})},
        {"missing date is another day",
         config({{"option", "2"}, {"fr0", "1"}, {"fr1", "1"}}), DayOutcome::new_day, "2",
         config({{"option", "1"}, {"fr0", "50"}, {"fr1", "10"}, {"date", march_7}})},
    };
    for (const StartDayCase& c : cases) {
        MemoryProfileStore fresh;
        if (c.before) fresh.set_file_text(config_path, *c.before);
        Settings under_test(fresh, clock);
        const DayStart got = under_test.start_day();
        EXPECT_EQ(got.outcome, c.want_outcome) << c.name;
        EXPECT_EQ(got.option, c.want_option) << c.name;
        EXPECT_EQ(fresh.file_text(config_path), c.want_after) << c.name;
    }
}

TEST_F(SettingsFixture, SameDayWritesNothing) {
    store.set_file_text(config_path, config({{"option", "1"}, {"fr0", "1"}, {"fr1", "1"}, {"date", march_7}}));
    settings.start_day();
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(SettingsFixture, FirstStartWritesInOrder) {
    settings.start_day();
    const std::vector<MemoryProfileStore::Write> want = {
        {config_path, "config", "option", "1"},
        {config_path, "config", "fr0", "50"},
        {config_path, "config", "fr1", "10"},
        {config_path, "config", "date", march_7},
    };
    EXPECT_EQ(store.writes, want);
}

TEST_F(SettingsFixture, FailedWritesAreAbsorbed) {
    store.fail_writes = true;
    const DayStart got = settings.start_day();
    EXPECT_EQ(got.outcome, DayOutcome::first_start);
    EXPECT_FALSE(store.exists(config_path));
    settings.charge_quota(mode_normal);
    EXPECT_EQ(settings.quota_left(mode_normal), 0);
}

struct CountCase {
    const char* text;
    std::int32_t want;
};

TEST(CountFromText, ConvertsLikeADecimalInteger) {
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    const std::vector<CountCase> cases = {
        {"50", 50},
        {"0", 0},
        {"-2", -2},
        {"+7", 7},
        {" \t\r\n\v\f12", 12},
        {"12abc", 12},
        {"007", 7},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"- 5", 0},
        {"0x10", 0},
        {"\xA3\xB5", 0},  // full-width 5 is not a digit
        {"2147483647", highest},
        {"2147483648", highest},
        {"-2147483648", lowest},
        {"-2147483649", lowest},
        {"99999999999999999999999999999", highest},
        {"-99999999999999999999999999999", lowest},
    };
    for (const CountCase& c : cases) {
        EXPECT_EQ(count_from_text(c.text), c.want) << "input \"" << c.text << "\"";
    }
}

struct DayTextCase {
    const char* name;
    Text date_time;
    Text want;
};

TEST(DayTextFrom, TakesEverythingUpToTheFirstDayMark) {
    const std::vector<DayTextCase> cases = {
        {"ordinary", FakeClock::date_time(2019, 3, 5, 9, 5, 7), "2019\xC4\xEA" "3\xD4\xC2" "5\xC8\xD5"},
        {"two-digit month and day", FakeClock::date_time(2019, 11, 23, 23, 59, 59),
         "2019\xC4\xEA" "11\xD4\xC2" "23\xC8\xD5"},
        {"no day mark", "2019-03-05 09:05", "\xC8\xD5"},
        {"empty", "", "\xC8\xD5"},
        // B0C8 and D5B0 are characters whose bytes straddle C8 D5; only the
        // third character is the day mark.
        {"day mark bytes across characters", "\xB0\xC8\xD5\xB0\xC8\xD5\xCA\xB1",
         "\xB0\xC8\xD5\xB0\xC8\xD5"},
        {"trailing lone lead byte", "2019\xC8", "\xC8\xD5"},
    };
    for (const DayTextCase& c : cases) {
        EXPECT_EQ(day_text_from(c.date_time), c.want) << c.name;
    }
}

TEST_F(SettingsFixture, TodayTextComesFromTheClock) {
    clock.set(FakeClock::date_time(2019, 3, 5, 0, 0, 0));
    EXPECT_EQ(settings.today_text(), "2019\xC4\xEA" "3\xD4\xC2" "5\xC8\xD5");
}

struct QuotaCase {
    std::optional<Text> stored;  // fr0 and fr1 both hold it; nullopt: keys missing
    std::int32_t mode;
    std::int32_t want_left;
    Text want_text;
};

TEST_F(SettingsFixture, QuotaLeftAndText) {
    const std::vector<QuotaCase> cases = {
        {Text("50"), mode_normal, 50, "50"},
        {Text("0"), mode_normal, 0, "0"},
        {Text("-2"), mode_normal, -2, "-2"},
        {Text("abc"), mode_accurate, 0, "abc"},
        {Text(" 12"), mode_accurate, 12, "12"},  // the INI rules drop the blanks
        {std::nullopt, mode_accurate, 0, ""},
        {Text("9"), mode_none, 0, ""},
        {Text("9"), 3, 0, ""},
    };
    for (const QuotaCase& c : cases) {
        MemoryProfileStore fresh;
        fresh.set_file_text(config_path, c.stored ? config({{"fr0", *c.stored}, {"fr1", *c.stored}}) : config({}));
        Settings under_test(fresh, clock);
        const Text label = c.stored.value_or("(missing)") + " mode " + std::to_string(c.mode);
        EXPECT_EQ(under_test.quota_left(c.mode), c.want_left) << label;
        EXPECT_EQ(under_test.quota_text(c.mode), c.want_text) << label;
    }
}

struct ChargeCase {
    std::optional<Text> stored;
    std::int32_t mode;
    int charges;
    Text want_fr0;
    Text want_fr1;
};

TEST_F(SettingsFixture, ChargeQuotaCountsDownWithoutBound) {
    const std::vector<ChargeCase> cases = {
        {Text("1"), mode_normal, 3, "-2", "1"},
        {Text("-2"), mode_normal, 1, "-3", "-2"},
        {Text("0"), mode_accurate, 1, "0", "-1"},
        {Text("abc"), mode_normal, 1, "-1", "abc"},
        {std::nullopt, mode_accurate, 1, "", "-1"},
        {Text("-2147483648"), mode_normal, 2, "-2147483648", "-2147483648"},
        {Text("99999999999"), mode_normal, 1, "2147483646", "99999999999"},
        {Text("5"), mode_none, 1, "5", "5"},
    };
    for (const ChargeCase& c : cases) {
        MemoryProfileStore fresh;
        fresh.set_file_text(config_path, c.stored ? config({{"fr0", *c.stored}, {"fr1", *c.stored}}) : config({}));
        Settings under_test(fresh, clock);
        for (int i = 0; i < c.charges; ++i) under_test.charge_quota(c.mode);
        const Text label = c.stored.value_or("(missing)") + " mode " + std::to_string(c.mode);
        EXPECT_EQ(fresh.read(config_path, "config", "fr0"), c.want_fr0) << label;
        EXPECT_EQ(fresh.read(config_path, "config", "fr1"), c.want_fr1) << label;
    }
}

TEST_F(SettingsFixture, SaveOptionWritesOnlyKnownModes) {
    const std::vector<std::pair<std::int32_t, Text>> cases = {
        {mode_normal, "1"}, {mode_accurate, "2"}, {mode_none, "3"}, {7, "3"}, {-1, "3"}};
    for (const auto& [mode, want] : cases) {
        MemoryProfileStore fresh;
        fresh.set_file_text(config_path, config({{"option", "3"}}));
        Settings under_test(fresh, clock);
        under_test.save_option(mode);
        EXPECT_EQ(fresh.read(config_path, "config", "option"), want) << "mode " << mode;
    }
}

TEST_F(SettingsFixture, HideSettingsFileHidesConfigIni) {
    settings.start_day();
    settings.hide_settings_file();
    EXPECT_TRUE(store.hidden(config_path));
}

}  // namespace
}  // namespace vorbel
