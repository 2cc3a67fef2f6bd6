#include "ui/win32/dpi.h"

#include <windows.h>

namespace vorbel {

namespace {
constexpr int design_dpi = 96;
}

void make_process_dpi_aware() {
    // Looked up at run time: the per-monitor call exists from Windows 10 on,
    // and an older system still has the system-wide one.
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32) {
        using SetContext = BOOL(WINAPI*)(HANDLE);
        auto set_context = reinterpret_cast<SetContext>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
        if (set_context && set_context(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) return;
    }
    SetProcessDPIAware();
}

int display_dpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return design_dpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : design_dpi;
}

int design_to_physical(int design, int dpi) { return MulDiv(design, dpi, design_dpi); }

int physical_to_design(int physical, int dpi) {
    return dpi > 0 ? MulDiv(physical, design_dpi, dpi) : physical;
}

}  // namespace vorbel
