// The settings file and the daily quota.
//
// config.ini beside the program holds, in section "config": "option" (the
// mode chosen last), "date" (the day of the last refill), "fr0" and "fr1"
// (normal and accurate recognitions left today). Every operation reads the
// file afresh, so the file is the only record of the quota; none of them
// reports failure: an unreadable file reads as empty values and a failed
// write leaves the old content.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/clock.h"
#include "app/profile_store.h"
#include "services/recognition_mode.h"
#include "text/text_types.h"

namespace vorbel {

inline constexpr std::int32_t daily_normal_allowance = 50;
inline constexpr std::int32_t daily_accurate_allowance = 10;

enum class DayOutcome { first_start, new_day, same_day };

struct DayStart {
    DayOutcome outcome = DayOutcome::first_start;
    Text option;  // the "option" text read before any refill
};

// A stored count as a number: leading white space (space, tab, line feed,
// carriage return, vertical tab, form feed) is skipped, an optional sign is
// taken, then decimal digits up to the first other character. No digits
// gives 0. Values beyond the int32 range are clamped to its nearest end.
std::int32_t count_from_text(std::string_view text);

// The day text of a platform date-and-time text: everything up to and
// including its first "日" that starts a character; "日" alone when there is
// none.
Text day_text_from(std::string_view date_time);

class Settings {
public:
    // Both must outlive the Settings.
    Settings(ProfileStore& store, Clock& clock);

    // The program's folder followed by "\config.ini".
    Text settings_path() const;
    // Today's day text, e.g. "2019年3月7日".
    Text today_text() const;
    // Writes option "1", fr0 "50", fr1 "10", in that order.
    void reset_quota() const;
    // The once-a-day refill at start-up: refills and records today when
    // "option" is empty (first start) or "date" differs from today (new
    // day); writes nothing on the same day.
    DayStart start_day() const;
    // The mode's stored count as a number; 0 for modes other than 1 and 2.
    std::int32_t quota_left(std::int32_t mode) const;
    // The mode's stored count unchanged; empty for modes other than 1 and 2.
    Text quota_text(std::int32_t mode) const;
    // Stores the mode's count minus one. No lower bound (0 becomes -1), but
    // a count already at the int32 minimum stays there. Nothing for modes
    // other than 1 and 2.
    void charge_quota(std::int32_t mode) const;
    // Stores "1" or "2" as the option; nothing for other modes.
    void save_option(std::int32_t mode) const;
    // Makes the hidden attribute the settings file's only attribute.
    void hide_settings_file() const;

private:
    Text read(const char* key) const;
    void write(const char* key, const Text& value) const;

    ProfileStore& store_;
    Clock& clock_;
};

}  // namespace vorbel
