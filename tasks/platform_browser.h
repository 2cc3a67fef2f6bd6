// The default web browser of the platform the program runs on.
#pragma once

#include <memory>

#include "tasks/browser.h"

namespace vorbel {

// Windows: the shell's "open" action on the address, shown normally.
// Linux: xdg-open, when it is installed; otherwise opening does nothing.
std::unique_ptr<Browser> make_platform_browser();

}  // namespace vorbel
