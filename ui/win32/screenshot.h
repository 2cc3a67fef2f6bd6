// Screen capture as a BMP file image.
#pragma once

#include <string>
#include <string_view>

namespace vorbel {

// A 24-bit BMP file image: 14-byte file header, 40-byte information header
// (positive height, so rows bottom row first), pixel data at offset 54.
// `rows` holds the pixel rows bottom row first, each padded to a multiple of
// 4 bytes; empty when the sizes do not match `rows` or are not positive.
std::string bmp24_file_image(int width, int height, std::string_view rows);

// The whole primary screen in physical pixels, as bmp24_file_image makes
// it. Empty when the screen cannot be read. Safe from any thread.
std::string capture_screen_bmp();

}  // namespace vorbel
