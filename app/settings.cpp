#include "app/settings.h"

#include <limits>
#include <string>

#include "app/cp936_scan.h"

namespace vorbel {

namespace {

constexpr const char* section = "config";
constexpr const char* key_option = "option";
constexpr const char* key_date = "date";
constexpr const char* day_mark = "\xC8\xD5";  // 日

const char* count_key(std::int32_t mode) {
    switch (mode) {
        case mode_normal: return "fr0";
        case mode_accurate: return "fr1";
        default: return nullptr;
    }
}

bool is_white_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::int32_t count_from_text(std::string_view text) {
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    std::size_t pos = 0;
    while (pos < text.size() && is_white_space(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulate in 64 bits and stop growing once past the int32 range, so
    // any number of digits is safe.
    std::int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (magnitude <= highest + 1) magnitude = magnitude * 10 + (text[pos] - '0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < lowest) return static_cast<std::int32_t>(lowest);
    if (value > highest) return static_cast<std::int32_t>(highest);
    return static_cast<std::int32_t>(value);
}

Text day_text_from(std::string_view date_time) {
    const std::size_t pos = cp936_find(date_time, day_mark);
    if (pos == std::string_view::npos) return day_mark;
    return Text(date_time.substr(0, pos)) + day_mark;
}

Settings::Settings(ProfileStore& store, Clock& clock) : store_(store), clock_(clock) {}

Text Settings::settings_path() const { return store_.program_dir() + "\\config.ini"; }

Text Settings::today_text() const { return day_text_from(clock_.local_date_time_text()); }

void Settings::reset_quota() const {
    write(key_option, "1");
    write(count_key(mode_normal), std::to_string(daily_normal_allowance));
    write(count_key(mode_accurate), std::to_string(daily_accurate_allowance));
}

DayStart Settings::start_day() const {
    DayStart result;
    result.option = read(key_option);
    if (result.option.empty()) {
        reset_quota();
        write(key_date, today_text());
        result.outcome = DayOutcome::first_start;
        return result;
    }
    const Text stored_day = read(key_date);
    const Text today = today_text();
    if (stored_day != today) {
        reset_quota();
        write(key_date, today);
        result.outcome = DayOutcome::new_day;
    } else {
        result.outcome = DayOutcome::same_day;
    }
    return result;
}

std::int32_t Settings::quota_left(std::int32_t mode) const {
    return count_key(mode) ? count_from_text(read(count_key(mode))) : 0;
}

Text Settings::quota_text(std::int32_t mode) const {
    return count_key(mode) ? read(count_key(mode)) : Text();
}

void Settings::charge_quota(std::int32_t mode) const {
    const char* key = count_key(mode);
    if (!key) return;
    const std::int32_t left = count_from_text(read(key));
    const std::int32_t charged = left == std::numeric_limits<std::int32_t>::min() ? left : left - 1;
    write(key, std::to_string(charged));
}

void Settings::save_option(std::int32_t mode) const {
    if (mode == mode_normal) write(key_option, "1");
    if (mode == mode_accurate) write(key_option, "2");
}

void Settings::hide_settings_file() const { store_.set_hidden(settings_path()); }

Text Settings::read(const char* key) const { return store_.read(settings_path(), section, key); }

// A failed write keeps the old file, which is all the quota rules need: the
// next read simply sees the old value.
void Settings::write(const char* key, const Text& value) const {
    store_.write(settings_path(), section, key, value);
}

}  // namespace vorbel
