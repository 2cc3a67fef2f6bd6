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
        return date_time_text(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                              local.tm_sec);
    }
};

}  // namespace

std::unique_ptr<Clock> make_platform_clock() { return std::make_unique<PosixClock>(); }

}  // namespace vorbel
