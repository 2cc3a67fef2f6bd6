#include <ctime>
#include <string>

#include "app/platform_app.h"

namespace vorbel {

namespace {

class PosixClock : public Clock {
public:
    Text local_date_time_text() override {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        if (!localtime_r(&now, &local)) return Text();
        return std::to_string(local.tm_year + 1900) + "\xC4\xEA" +  // 年
               std::to_string(local.tm_mon + 1) + "\xD4\xC2" +      // 月
               std::to_string(local.tm_mday) + "\xC8\xD5" +         // 日
               std::to_string(local.tm_hour) + "\xCA\xB1" +         // 时
               std::to_string(local.tm_min) + "\xB7\xD6" +          // 分
               std::to_string(local.tm_sec) + "\xC3\xEB";           // 秒
    }
};

}  // namespace

std::unique_ptr<Clock> make_platform_clock() { return std::make_unique<PosixClock>(); }

}  // namespace vorbel
