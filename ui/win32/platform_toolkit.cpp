#include "ui/platform_toolkit.h"

#include "ui/win32/win32_toolkit.h"

namespace vorbel {

std::unique_ptr<Toolkit> make_platform_toolkit() { return std::make_unique<Win32Toolkit>(); }

}  // namespace vorbel
