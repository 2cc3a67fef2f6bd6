#include "tests/support/bmp_builder.h"

namespace vorbel::test {
namespace {

std::size_t stride(std::int64_t width, int bits) {
    return static_cast<std::size_t>(((width * bits + 31) >> 5) << 2);
}

}  // namespace

std::uint32_t field(std::string_view bmp, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        if (offset + i >= bmp.size()) return 0;
        value = (value << 8) | static_cast<unsigned char>(bmp[offset + i]);
    }
    return value;
}

void set_field(std::string& bmp, std::size_t offset, int size, std::uint32_t value) {
    for (int i = 0; i < size && offset + i < bmp.size(); ++i) {
        bmp[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::string pixel_code(int column, int row, int bits) {
    const auto byte = [](int value) { return static_cast<char>(value & 0xFF); };
    switch (bits) {
    case 32: return {byte(column), byte(column >> 8), byte(row), byte(row >> 8)};
    case 24: return {byte(column), byte(row), byte(((column >> 8) & 0x0F) | (((row >> 8) & 0x0F) << 4))};
    case 16: return {byte(column), byte(row)};
    case 8: return {byte(column * 16 + row)};
    default: return {};
    }
}

std::string build_bmp(int width, int height, int bits) {
    const std::size_t table = bits == 8 ? 1024 : 0;
    const std::size_t offset = 54 + table;
    const std::size_t row_bytes = stride(width, bits);
    std::string bmp(offset + row_bytes * height, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    set_field(bmp, 2, 4, static_cast<std::uint32_t>(bmp.size()));
    set_field(bmp, 10, 4, static_cast<std::uint32_t>(offset));
    set_field(bmp, 14, 4, 40);
    set_field(bmp, 18, 4, static_cast<std::uint32_t>(width));
    set_field(bmp, 22, 4, static_cast<std::uint32_t>(height));
    set_field(bmp, 26, 2, 1);
    set_field(bmp, 28, 2, static_cast<std::uint32_t>(bits));
    for (std::size_t i = 0; i < table / 4; ++i) {
        bmp[54 + 4 * i] = static_cast<char>(i);
        bmp[54 + 4 * i + 1] = static_cast<char>(255 - i);
        bmp[54 + 4 * i + 2] = static_cast<char>(i / 2);
    }
    const std::size_t pixel_bytes = static_cast<std::size_t>(bits / 8);
    for (int stored = 0; stored < height; ++stored) {
        char* line = bmp.data() + offset + stored * row_bytes;
        const int row = height - 1 - stored;
        for (int column = 0; column < width; ++column) {
            pixel_code(column, row, bits).copy(line + column * pixel_bytes, pixel_bytes);
        }
        for (std::size_t pad = width * pixel_bytes; pad < row_bytes; ++pad) line[pad] = '\xEE';
    }
    return bmp;
}

std::string pixel_at(std::string_view bmp, int column, int row) {
    if (bmp.size() < 54) return {};
    const auto width = static_cast<std::int32_t>(field(bmp, 18, 4));
    const auto height = static_cast<std::int32_t>(field(bmp, 22, 4));
    const int bits = static_cast<int>(field(bmp, 28, 2));
    if (column < 0 || row < 0 || column >= width || row >= height || bits < 8) return {};
    const std::size_t pixel_bytes = static_cast<std::size_t>(bits / 8);
    const std::size_t at = field(bmp, 10, 4) + stride(width, bits) * (height - 1 - row) + column * pixel_bytes;
    if (at + pixel_bytes > bmp.size()) return {};
    return std::string(bmp.substr(at, pixel_bytes));
}

}  // namespace vorbel::test
