// The picture shown in main_window's picture box.
#pragma once

#include "text/text_types.h"

namespace vorbel {

inline constexpr int main_picture_width = 186;
inline constexpr int main_picture_height = 149;

// A 186 x 149, 24-bit, bottom-up BMP file image drawn in code: a page of
// text under a magnifying glass on a pale blue ground.
Bytes main_picture_bmp();

}  // namespace vorbel
