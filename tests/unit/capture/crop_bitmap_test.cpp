#include "capture/crop_bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

#include "tests/support/bmp_builder.h"

namespace vorbel {
namespace {

using test::build_bmp;
using test::field;
using test::pixel_at;
using test::pixel_code;
using test::set_field;

std::size_t stride(int width, int bits) { return static_cast<std::size_t>(((width * bits + 31) / 32) * 4); }

// The header a crop must carry, field by field.
void expect_header(const Bytes& got, int w, int h, int bits, std::size_t pixel_offset) {
    EXPECT_EQ(got.substr(0, 2), "BM");
    EXPECT_EQ(field(got, 2, 4), got.size()) << "file size field";
    EXPECT_EQ(field(got, 6, 4), 0u) << "reserved";
    EXPECT_EQ(field(got, 10, 4), pixel_offset);
    EXPECT_EQ(field(got, 14, 4), 40u);
    EXPECT_EQ(field(got, 18, 4), static_cast<std::uint32_t>(w));
    EXPECT_EQ(field(got, 22, 4), static_cast<std::uint32_t>(h));
    EXPECT_EQ(field(got, 26, 2), 1u);
    EXPECT_EQ(field(got, 28, 2), static_cast<std::uint32_t>(bits));
    for (std::size_t offset = 30; offset < 54; offset += 4) EXPECT_EQ(field(got, offset, 4), 0u) << "offset " << offset;
}

TEST(CropBitmap, ScreenshotRectangleComesFromTheDocumentedRows) {
    const Bytes screen = build_bmp(1920, 1080, 24);
    ASSERT_EQ(screen.size(), 6220854u);
    const Bytes got = crop_bitmap(screen, 100, 100, 200, 150);
    ASSERT_EQ(got.size(), 90054u);
    expect_header(got, 200, 150, 24, 54);
    // First stored row: picture row 249 (stored row 830); last: row 100 (stored row 979).
    EXPECT_EQ(got.substr(54, 600), screen.substr(4781154, 600));
    EXPECT_EQ(got.substr(54 + 149 * 600, 600), screen.substr(5639394, 600));
    EXPECT_EQ(pixel_at(got, 0, 0), pixel_code(100, 100, 24));
    EXPECT_EQ(pixel_at(got, 199, 149), pixel_code(299, 249, 24));
}

struct Crop {
    const char* name;
    int width, height, bits;  // source
    int x, y, w, h;
    std::size_t want_size;
};

TEST(CropBitmap, AcceptedRectanglesCarryTheirPixels) {
    const Crop cases[] = {
        {"5x3 at 24 bits", 8, 6, 24, 1, 2, 5, 3, 102},
        {"one pixel wide", 9, 5, 24, 3, 1, 1, 4, 54 + 4 * 4},
        {"touches right and bottom edges", 10, 7, 24, 6, 3, 4, 4, 54 + 12 * 4},
        {"whole picture", 7, 5, 24, 0, 0, 7, 5, 54 + 24 * 5},
        {"32 bits", 6, 4, 32, 2, 1, 3, 2, 54 + 12 * 2},
        {"16 bits odd width", 7, 4, 16, 1, 0, 3, 4, 54 + 8 * 4},
        {"8 bits width 10", 10, 6, 8, 2, 1, 5, 3, 1078 + 8 * 3},
        {"single pixel in corner", 5, 5, 24, 4, 4, 1, 1, 58},
    };
    for (const Crop& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes source = build_bmp(c.width, c.height, c.bits);
        const Bytes got = crop_bitmap(source, c.x, c.y, c.w, c.h);
        ASSERT_EQ(got.size(), c.want_size) << c.name << ": crop " << c.x << "," << c.y << " " << c.w << "x" << c.h
                                           << " of " << c.width << "x" << c.height << "x" << c.bits;
        expect_header(got, c.w, c.h, c.bits, c.bits == 8 ? 1078 : 54);
        for (int row = 0; row < c.h; ++row) {
            for (int column = 0; column < c.w; ++column) {
                ASSERT_EQ(pixel_at(got, column, row), pixel_code(c.x + column, c.y + row, c.bits))
                    << c.name << ": pixel " << column << "," << row;
            }
        }
    }
}

TEST(CropBitmap, EightBitResultCarriesTheColourTable) {
    const Bytes source = build_bmp(10, 4, 8);
    ASSERT_EQ(stride(10, 8), 12u);
    const Bytes got = crop_bitmap(source, 0, 0, 10, 4);
    ASSERT_EQ(got.size(), 1078u + 12 * 4);
    EXPECT_EQ(got.substr(54, 1024), source.substr(54, 1024));
    EXPECT_EQ(got.substr(1078), source.substr(1078));
}

// What follows the rectangle in a source row fills the result row's padding.
TEST(CropBitmap, RowPaddingHoldsTheSourceBytesThatFollow) {
    const Bytes source = build_bmp(4, 3, 24);  // stride 12, no padding
    struct Case {
        const char* name;
        int x, y;
        std::string want_row0;  // result's first stored row: the rectangle's bottom row
    };
    const Case cases[] = {
        {"next pixel in the row", 0, 2, pixel_code(0, 2, 24) + pixel_code(1, 2, 24).substr(0, 1)},
        {"first byte of the next stored row", 3, 2, pixel_code(3, 2, 24) + pixel_code(0, 1, 24).substr(0, 1)},
        {"past the end of the source stays zero", 3, 0, pixel_code(3, 0, 24) + std::string(1, '\0')},
    };
    for (const Case& c : cases) {
        const Bytes got = crop_bitmap(source, c.x, c.y, 1, 1);
        ASSERT_EQ(got.size(), 58u) << c.name;
        EXPECT_EQ(got.substr(54), c.want_row0) << c.name;
    }
}

struct Refusal {
    const char* name;
    std::function<void(Bytes&)> spoil;  // applied to a 12x10 24-bit source
    int x, y, w, h;
};

TEST(CropBitmap, RefusesWithEmptyBytes) {
    const Refusal cases[] = {
        {"x + w = W + 1", {}, 3, 0, 10, 2},
        {"y + h = H + 1", {}, 0, 1, 2, 10},
        {"w = 0", {}, 0, 0, 0, 2},
        {"h = 0", {}, 0, 0, 2, 0},
        {"negative w", {}, 5, 0, -2, 2},
        {"negative h", {}, 0, 5, 2, -2},
        {"negative x", {}, -1, 0, 2, 2},
        {"negative y", {}, 0, -1, 2, 2},
        {"x + w wraps 32 bits", {}, 1, 0, INT_MAX, 1},
        {"y + h wraps 32 bits", {}, 0, 1, 1, INT_MAX},
        {"compression 3", [](Bytes& b) { set_field(b, 30, 4, 3); }, 0, 0, 2, 2},
        {"compression 1", [](Bytes& b) { set_field(b, 30, 4, 1); }, 0, 0, 2, 2},
        {"4 bits", [](Bytes& b) { set_field(b, 28, 2, 4); }, 0, 0, 2, 2},
        {"1 bit", [](Bytes& b) { set_field(b, 28, 2, 1); }, 0, 0, 2, 2},
        {"12 bits", [](Bytes& b) { set_field(b, 28, 2, 12); }, 0, 0, 2, 2},
        {"negative bits", [](Bytes& b) { set_field(b, 28, 2, 0xFFE8); }, 0, 0, 2, 2},
        {"negative height", [](Bytes& b) { set_field(b, 22, 4, static_cast<std::uint32_t>(-10)); }, 0, 0, 2, 2},
        {"zero width", [](Bytes& b) { set_field(b, 18, 4, 0); }, 0, 0, 1, 1},
        {"53 bytes", [](Bytes& b) { b.resize(53); }, 0, 0, 1, 1},
        {"empty source", [](Bytes& b) { b.clear(); }, 0, 0, 1, 1},
        {"header claims far more than the bytes hold",
         [](Bytes& b) { set_field(b, 18, 4, 100000), set_field(b, 22, 4, 100000); }, 0, 0, 50000, 50000},
        {"width and height near INT_MAX",
         [](Bytes& b) { set_field(b, 18, 4, INT_MAX), set_field(b, 22, 4, INT_MAX); }, 0, 0, INT_MAX, INT_MAX},
    };
    for (const Refusal& c : cases) {
        Bytes source = build_bmp(12, 10, 24);
        if (c.spoil) c.spoil(source);
        const Bytes got = crop_bitmap(source, c.x, c.y, c.w, c.h);
        EXPECT_TRUE(got.empty()) << c.name << ": crop " << c.x << "," << c.y << " " << c.w << "x" << c.h
                                 << " got " << got.size() << " bytes, want none";
    }
}

TEST(CropBitmap, IgnoresTheSourcesPixelOffsetField) {
    Bytes source = build_bmp(6, 4, 24);
    set_field(source, 10, 4, 9999);
    const Bytes got = crop_bitmap(source, 1, 1, 2, 2);
    ASSERT_EQ(got.size(), 54u + 8 * 2);
    EXPECT_EQ(field(got, 10, 4), 54u);
    EXPECT_EQ(got.substr(54, 6), pixel_code(1, 2, 24) + pixel_code(2, 2, 24));
}

TEST(CropBitmap, TruncatedSourceIsCopiedAsFarAsItReaches) {
    // 4x4 at 24 bits: stride 12, 102 bytes; drop the top picture row and a bit.
    Bytes source = build_bmp(4, 4, 24);
    source.resize(54 + 12 * 3 - 5);
    const Bytes got = crop_bitmap(source, 0, 0, 4, 4);
    ASSERT_EQ(got.size(), 54u + 12 * 4);
    EXPECT_EQ(pixel_at(got, 0, 3), pixel_code(0, 3, 24));
    EXPECT_EQ(pixel_at(got, 1, 1), pixel_code(1, 1, 24));
    EXPECT_EQ(got.substr(54 + 24, 7), source.substr(54 + 24, 7)) << "partial row kept";
    EXPECT_EQ(got.substr(54 + 31), std::string(12 + 5, '\0')) << "bytes beyond the source stay zero";
}

TEST(CropBitmap, EightBitSourceCutInsideItsColourTable) {
    Bytes source = build_bmp(10, 4, 8);
    source.resize(600);
    const Bytes got = crop_bitmap(source, 0, 0, 4, 2);
    ASSERT_EQ(got.size(), 1078u + 4 * 2);
    EXPECT_EQ(field(got, 2, 4), got.size());
    EXPECT_EQ(got.substr(54, 600 - 54), source.substr(54));
    EXPECT_EQ(got.substr(600), std::string(got.size() - 600, '\0'));
}

}  // namespace
}  // namespace vorbel
