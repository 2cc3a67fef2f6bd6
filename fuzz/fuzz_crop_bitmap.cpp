// Any bytes as a BMP source, with the rectangle taken from the input's first
// eight bytes (four signed 16-bit numbers) so that most inputs hit a real
// rectangle. A result must be empty or a well-formed image of that rectangle.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "capture/bmp_format.h"
#include "capture/crop_bitmap.h"

namespace {

int take_i16(const std::uint8_t* data) { return static_cast<std::int16_t>(data[0] | (data[1] << 8)); }

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    const int x = take_i16(data), y = take_i16(data + 2), w = take_i16(data + 4), h = take_i16(data + 6);
    const std::string_view source(reinterpret_cast<const char*>(data + 8), size - 8);
    const vorbel::Bytes result = vorbel::crop_bitmap(source, x, y, w, h);
    if (result.empty()) return 0;
    check(result.size() >= vorbel::bmp::headers_size);
    check(vorbel::bmp::read_u32(result, 2) == result.size());
    check(vorbel::bmp::read_i32(result, 18) == w && vorbel::bmp::read_i32(result, 22) == h);
    check(vorbel::bmp::read_u16(result, 28) == vorbel::bmp::read_u16(source, 28));
    const std::uint32_t pixel_offset = vorbel::bmp::read_u32(result, 10);
    const std::uint64_t stride = vorbel::bmp::row_stride(static_cast<std::uint64_t>(w), vorbel::bmp::read_u16(result, 28));
    check(pixel_offset + stride * static_cast<std::uint64_t>(h) == result.size());
    return 0;
}
