#include "app/clock.h"

#include <string>

namespace vorbel {

Text date_time_text(int year, int month, int day, int hour, int minute, int second) {
    return std::to_string(year) + "\xC4\xEA" +    // 年
           std::to_string(month) + "\xD4\xC2" +   // 月
           std::to_string(day) + "\xC8\xD5" +     // 日
           std::to_string(hour) + "\xCA\xB1" +    // 时
           std::to_string(minute) + "\xB7\xD6" +  // 分
           std::to_string(second) + "\xC3\xEB";   // 秒
}

}  // namespace vorbel
