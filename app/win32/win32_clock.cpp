#include <windows.h>

#include <string>

#include "app/platform_app.h"

namespace vorbel {

namespace {

class Win32Clock : public Clock {
public:
    Text local_date_time_text() override {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        return std::to_string(now.wYear) + "\xC4\xEA" +   // 年
               std::to_string(now.wMonth) + "\xD4\xC2" +  // 月
               std::to_string(now.wDay) + "\xC8\xD5" +    // 日
               std::to_string(now.wHour) + "\xCA\xB1" +   // 时
               std::to_string(now.wMinute) + "\xB7\xD6" + // 分
               std::to_string(now.wSecond) + "\xC3\xEB";  // 秒
    }
};

}  // namespace

std::unique_ptr<Clock> make_platform_clock() { return std::make_unique<Win32Clock>(); }

}  // namespace vorbel
