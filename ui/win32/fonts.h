// Fonts of the controls: GB2312 character set, so Chinese shows whatever
// the system's ANSI code page.
#pragma once

#include <windows.h>

#include "ui/toolkit.h"
#include "ui/win32/gdi_handles.h"

namespace vorbel {

// Character height of the toolkit's default face, in design pixels.
inline constexpr int default_font_height = 12;

// The font of `design` (the default face and height where it leaves them
// out), its height scaled from design pixels to `dpi`. Never null: falls
// back to the stock GUI font's copy when creation fails.
GdiObject<HFONT> make_font(const FontDesign& design, int dpi, bool underline = false);

}  // namespace vorbel
