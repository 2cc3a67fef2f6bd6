// The application's platform pieces for the running system.
#pragma once

#include <memory>

#include "app/clock.h"
#include "app/profile_store.h"

namespace vorbel {

// The settings store for config.ini in the program's own folder.
std::unique_ptr<ProfileStore> make_platform_profile_store();
// The local clock.
std::unique_ptr<Clock> make_platform_clock();

}  // namespace vorbel
