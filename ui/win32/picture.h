// Pictures given as BMP or JPEG file images, ready to draw with GDI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ui/win32/gdi_handles.h"

namespace vorbel {

// Where the parts of a BMP file image lie, once checked against its size.
struct BmpLayout {
    int width = 0;
    int height = 0;             // always positive
    bool bottom_up = true;      // rows stored bottom row first
    int bits_per_pixel = 0;
    std::size_t header_size = 0;   // 14-byte file header excluded
    std::size_t table_offset = 0;  // colour table or bit masks, from the start
    std::size_t table_size = 0;
    std::size_t pixel_offset = 0;
    std::size_t row_stride = 0;    // bytes per stored row, padded to 4
};

// Checks the headers of a BMP file image: "BM", an information header of at
// least 40 bytes, 1 plane, 1, 4, 8, 16, 24 or 32 bits per pixel, no
// compression (bit fields for 16 and 32 bits), and pixel data and colour
// table inside `bytes`. Returns false for anything else, including sizes
// beyond 32768 pixels a side.
bool read_bmp_layout(std::string_view bytes, BmpLayout& layout);

class Picture {
public:
    // A copy of the picture in `bytes`; nullptr when it is not a BMP file
    // image that read_bmp_layout accepts or GDI has no memory for it.
    static std::unique_ptr<Picture> from_bmp(std::string_view bytes);
    // A BMP file image as from_bmp, a JPEG file image (decoded by the
    // system's picture loader); nullptr for anything else or when decoding
    // fails.
    static std::unique_ptr<Picture> from_image(std::string_view bytes);

    int width() const { return width_; }
    int height() const { return height_; }
    HBITMAP bitmap() const { return bitmap_.get(); }

    // Copies the picture at natural size with its top-left pixel at (x, y).
    void draw(HDC dc, int x, int y) const;
    // Stretches the picture over `target`.
    void draw_stretched(HDC dc, const RECT& target) const;

private:
    static std::unique_ptr<Picture> from_jpeg(std::string_view bytes);

    Picture(GdiObject<HBITMAP> bitmap, int width, int height)
        : bitmap_(std::move(bitmap)), width_(width), height_(height) {}

    GdiObject<HBITMAP> bitmap_;
    int width_;
    int height_;
};

}  // namespace vorbel
