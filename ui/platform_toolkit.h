// The window toolkit of the platform the program was built for.
#pragma once

#include <memory>

#include "ui/toolkit.h"

namespace vorbel {

// Makes the toolkit for the calling thread, which becomes the user-interface
// thread: every window event and posted task runs on it. Also makes the
// process DPI aware, so screen sizes and screenshots are physical pixels.
std::unique_ptr<Toolkit> make_platform_toolkit();

}  // namespace vorbel
