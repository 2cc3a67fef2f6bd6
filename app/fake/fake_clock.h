// A clock for tests that shows whatever it is set to.
#pragma once

#include <string>
#include <utility>

#include "app/clock.h"

namespace vorbel {

class FakeClock : public Clock {
public:
    explicit FakeClock(Text now = "2019\xC4\xEA" "3\xD4\xC2" "7\xC8\xD5" "9\xCA\xB1" "5\xB7\xD6" "0\xC3\xEB")  // 2019年3月7日9时5分0秒
        : now_(std::move(now)) {}

    Text local_date_time_text() override { return now_; }
    void set(Text now) { now_ = std::move(now); }

    // The platform's text for a date and time, numbers without leading zeros.
    static Text date_time(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
        return date_time_text(year, month, day, hour, minute, second);
    }

private:
    Text now_;
};

}  // namespace vorbel
