// The selection toolbar's icons, drawn in code: white symbols on a dark
// square, 28 x 28 pixels, as 24-bit BMP file images.
#pragma once

#include "text/text_types.h"

namespace vorbel {

inline constexpr int toolbar_icon_size = 28;

Bytes cancel_icon();     // a left arrow
Bytes recognize_icon();  // a magnifier
Bytes close_icon();      // a cross

}  // namespace vorbel
