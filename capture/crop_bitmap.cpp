#include "capture/crop_bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "capture/bmp_format.h"

namespace vorbel {
namespace {

struct PixelFormat {
    unsigned bits;
    std::uint64_t bytes_per_pixel;
    std::uint64_t pixel_offset;
    std::uint64_t colour_table;
};

std::optional<PixelFormat> pixel_format(int bits) {
    switch (bits) {
    case 32: return PixelFormat{32, 4, 54, 0};
    case 24: return PixelFormat{24, 3, 54, 0};
    case 16: return PixelFormat{16, 2, 54, 0};
    case 8: return PixelFormat{8, 1, 54 + bmp::colour_table_size, bmp::colour_table_size};
    default: return std::nullopt;  // below 8 bits, and depths no valid file has
    }
}

constexpr std::uint64_t saturated = std::numeric_limits<std::uint64_t>::max();

// Headers may claim sizes whose products do not fit; such products only
// ever get compared with the source's length, so saturating is enough.
std::uint64_t multiply(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > saturated / a) return saturated;
    return a * b;
}

std::uint64_t add(std::uint64_t a, std::uint64_t b) {
    return b > saturated - a ? saturated : a + b;
}

}  // namespace

Bytes crop_bitmap(std::string_view source, int x, int y, int w, int h) {
    if (source.size() < bmp::headers_size) return {};
    const std::int64_t width = bmp::read_i32(source, 18);
    const std::int64_t height = bmp::read_i32(source, 22);
    const int bits = bmp::read_i16(source, 28);
    if (bmp::read_u32(source, 30) != 0) return {};
    const std::optional<PixelFormat> format = pixel_format(bits);
    if (!format) return {};

    // 64-bit sums: x + w must not wrap for rectangles near INT_MAX.
    if (x < 0 || y < 0 || w < 1 || h < 1) return {};
    if (std::int64_t{x} + w > width || std::int64_t{y} + h > height) return {};

    const std::uint64_t source_stride = bmp::row_stride(static_cast<std::uint64_t>(width), format->bits);
    const std::uint64_t result_stride = bmp::row_stride(static_cast<std::uint64_t>(w), format->bits);
    const std::uint64_t pixel_size = multiply(result_stride, static_cast<std::uint64_t>(h));
    // A complete source holds at least as many pixel bytes as any rectangle
    // of it needs, so a larger result can only come from a lying header.
    if (pixel_size > source.size()) return {};
    const std::uint64_t result_size = format->pixel_offset + pixel_size;
    if (result_size > std::numeric_limits<std::uint32_t>::max()) return {};

    // One allocation of the final size. The rows are appended rather than
    // copied over a zero fill, so each pixel byte is written once; whatever
    // the source cannot supply is appended as zeros. The result always
    // reserves the whole colour table, so its pixel rows sit at the offset
    // its header names even when the source's table is cut short.
    Bytes result;
    result.reserve(static_cast<std::size_t>(result_size));
    result.resize(static_cast<std::size_t>(format->pixel_offset), '\0');
    bmp::write_headers(result.data(), {static_cast<std::uint32_t>(result_size),
                                       static_cast<std::uint32_t>(format->pixel_offset),
                                       static_cast<std::int32_t>(w), static_cast<std::int32_t>(h),
                                       static_cast<std::uint16_t>(format->bits)});
    if (format->colour_table != 0) {
        const std::size_t available = source.size() - bmp::headers_size;
        const std::size_t table = std::min<std::size_t>(format->colour_table, available);
        std::memcpy(result.data() + bmp::headers_size, source.data() + bmp::headers_size, table);
    }

    // Stored row number of the rectangle's bottom row, counted from the bottom.
    const std::uint64_t first_row = static_cast<std::uint64_t>(height - y - h);
    const std::uint64_t column_offset = static_cast<std::uint64_t>(x) * format->bytes_per_pixel;
    for (std::uint64_t i = 0; i < static_cast<std::uint64_t>(h); ++i) {
        const std::uint64_t from = add(add(format->pixel_offset, multiply(first_row + i, source_stride)),
                                       column_offset);
        const std::uint64_t count = from < source.size() ? std::min<std::uint64_t>(result_stride, source.size() - from) : 0;
        if (count != 0) result.append(source.data() + from, static_cast<std::size_t>(count));
        if (count != result_stride) result.append(static_cast<std::size_t>(result_stride - count), '\0');
    }
    return result;
}

}  // namespace vorbel
