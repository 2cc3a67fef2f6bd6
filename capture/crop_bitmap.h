// Cutting a rectangle out of an uncompressed BMP file image in memory.
#pragma once

#include <string_view>

#include "text/text_types.h"

namespace vorbel {

// Returns the rectangle of `w` x `h` pixels whose top-left pixel is column
// `x`, row `y` (row 0 being the picture's top row) as a new, complete BMP
// file image with the source's bit depth, bottom row first.
//
// Accepted sources: 32, 24 and 16 bits per pixel with pixel data at offset
// 54, and 8 bits per pixel with a 1024-byte colour table at 54 and pixel data
// at 1078; no compression; positive width and height. The source's own
// pixel-data offset field is not consulted. Each result row holds the
// rectangle's pixels followed by whatever source bytes come after them, up
// to the row's padded length.
//
// Returns empty Bytes when it refuses: a source shorter than 54 bytes, a
// compression other than 0, another bit depth, a rectangle that is empty,
// negative or not wholly inside the picture, or a result whose pixel data
// would be larger than the whole source (a header claiming more than the
// bytes hold) or whose size would not fit the 32-bit file size field. A source shorter than its header implies is copied as far as
// it reaches; result bytes that would come from beyond it stay zero. Never
// reads or writes outside the given bytes.
Bytes crop_bitmap(std::string_view source, int x, int y, int w, int h);

}  // namespace vorbel
