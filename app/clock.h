// The local date and time.
#pragma once

#include "text/text_types.h"

namespace vorbel {

class Clock {
public:
    virtual ~Clock() = default;
    // The current local date and time as "%d年%d月%d日%d时%d分%d秒" in code
    // page 936, numbers without leading zeros.
    virtual Text local_date_time_text() = 0;
};

// The text local_date_time_text() gives for a date and time, e.g.
// "2019年3月7日9时5分0秒".
Text date_time_text(int year, int month, int day, int hour, int minute, int second);

}  // namespace vorbel
