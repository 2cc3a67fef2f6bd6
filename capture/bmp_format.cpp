#include "capture/bmp_format.h"

namespace vorbel::bmp {

std::uint16_t read_u16(std::string_view bytes, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t read_u32(std::string_view bytes, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void put_u16(char* out, std::uint16_t value) {
    out[0] = static_cast<char>(value & 0xFF);
    out[1] = static_cast<char>(value >> 8);
}

void put_u32(char* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void write_headers(char* out, const Headers& headers) {
    out[0] = 'B';
    out[1] = 'M';
    put_u32(out + 2, headers.file_size);
    put_u16(out + 6, 0);
    put_u16(out + 8, 0);
    put_u32(out + 10, headers.pixel_offset);
    put_u32(out + 14, static_cast<std::uint32_t>(info_header_size));
    put_u32(out + 18, static_cast<std::uint32_t>(headers.width));
    put_u32(out + 22, static_cast<std::uint32_t>(headers.height));
    put_u16(out + 26, 1);
    put_u16(out + 28, headers.bits);
    for (std::size_t offset = 30; offset < headers_size; offset += 4) put_u32(out + offset, 0);
}

}  // namespace vorbel::bmp
