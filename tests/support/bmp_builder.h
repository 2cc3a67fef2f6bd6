// BMP file images for tests: complete bottom-up images whose every pixel
// carries a code of its own column and row, so a test can tell where any
// copied pixel came from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorbel::test {

// A complete BMP file image: 14-byte file header, 40-byte information
// header, for 8 bits a 256-entry colour table (entry i = i, 255 - i, i / 2,
// 0), then the rows bottom row first, each padded with 0xEE bytes to a
// multiple of 4. Pixel data starts at 54 (1078 for 8 bits).
std::string build_bmp(int width, int height, int bits = 24);

// The bytes of the pixel in `column`, `row` (row 0 on top) of a built image:
// bits / 8 bytes. Unique per pixel for columns and rows below 4096 at 24 and
// 32 bits, below 256 at 16 bits; 8-bit codes repeat.
std::string pixel_code(int column, int row, int bits);

// The bytes of pixel `column`, `row` (row 0 on top) of a bottom-up BMP file
// image, found through its own header (pixel-data offset, width, height,
// bits). Empty when the header is short or the pixel lies outside.
std::string pixel_at(std::string_view bmp, int column, int row);

// Little-endian header fields, for reading results and for making broken
// sources out of built ones.
std::uint32_t field(std::string_view bmp, std::size_t offset, int size);
void set_field(std::string& bmp, std::size_t offset, int size, std::uint32_t value);

}  // namespace vorbel::test
