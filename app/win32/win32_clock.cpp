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
        return date_time_text(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    }
};

}  // namespace

std::unique_ptr<Clock> make_platform_clock() { return std::make_unique<Win32Clock>(); }

}  // namespace vorbel
