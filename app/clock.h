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

}  // namespace vorbel
