// Little-endian field access and header writing for BMP file images: a
// 14-byte file header followed by a 40-byte information header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorbel::bmp {

inline constexpr std::size_t file_header_size = 14;
inline constexpr std::size_t info_header_size = 40;
inline constexpr std::size_t headers_size = file_header_size + info_header_size;  // 54
inline constexpr std::size_t colour_table_size = 256 * 4;

// Reads a field at `offset`; the caller guarantees that `bytes` holds it.
std::uint16_t read_u16(std::string_view bytes, std::size_t offset);
std::uint32_t read_u32(std::string_view bytes, std::size_t offset);
inline std::int16_t read_i16(std::string_view bytes, std::size_t offset) {
    return static_cast<std::int16_t>(read_u16(bytes, offset));
}
inline std::int32_t read_i32(std::string_view bytes, std::size_t offset) {
    return static_cast<std::int32_t>(read_u32(bytes, offset));
}

void put_u16(char* out, std::uint16_t value);
void put_u32(char* out, std::uint32_t value);

// Bytes one stored row of `width` pixels occupies: width x bits rounded up
// to whole 32-bit words. Exact for any width below 2^58.
inline std::uint64_t row_stride(std::uint64_t width, unsigned bits) {
    return ((width * bits + 31) >> 5) << 2;
}

struct Headers {
    std::uint32_t file_size = 0;
    std::uint32_t pixel_offset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: bottom row first
    std::uint16_t bits = 0;
};

// Writes both headers (54 bytes) at `out`: "BM", the file size, the pixel
// data offset, an information header of size 40 with one plane, no
// compression and every other field 0.
void write_headers(char* out, const Headers& headers);

}  // namespace vorbel::bmp
