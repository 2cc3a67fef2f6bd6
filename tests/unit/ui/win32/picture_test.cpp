// Reading BMP file images and writing the screenshot's format.
#include "ui/win32/picture.h"

#include <gtest/gtest.h>

#include "tests/support/bmp_builder.h"
#include "ui/win32/screenshot.h"

namespace vorbel::test {
namespace {

TEST(BmpLayout, AcceptsWellFormedImagesAndRefusesBrokenOnes) {
    struct Case {
        const char* what;
        std::string bytes;
        bool accepted;
    };
    const std::string good = build_bmp(7, 5);
    auto with = [&](std::size_t offset, int size, std::uint32_t value, std::string base = {}) {
        std::string b = base.empty() ? good : base;
        set_field(b, offset, size, value);
        return b;
    };
    const Case cases[] = {
        {"24 bits", good, true},
        {"8 bits with colour table", build_bmp(9, 3, 8), true},
        {"32 bits", build_bmp(4, 4, 32), true},
        {"top-down", with(22, 4, static_cast<std::uint32_t>(-5)), true},
        {"empty", "", false},
        {"headers only", good.substr(0, 54), false},
        {"pixel data cut short", good.substr(0, good.size() - 1), false},
        {"not BM", with(0, 2, 0x4D42 + 1), false},
        {"zero width", with(18, 4, 0), false},
        {"zero height", with(22, 4, 0), false},
        {"huge width", with(18, 4, 0x7FFFFFFF), false},
        {"two planes", with(26, 2, 2), false},
        {"RLE compression", with(30, 4, 1), false},
        {"7 bits per pixel", with(28, 2, 7), false},
        {"pixel offset past the end", with(10, 4, 0xFFFFFFF0u), false},
        {"info header too large", with(14, 4, 0x1000), false},
        {"colour table past the pixels", with(46, 4, 256, with(10, 4, 54, build_bmp(9, 3, 8))), false},
    };
    for (const Case& c : cases) {
        BmpLayout layout;
        EXPECT_EQ(read_bmp_layout(c.bytes, layout), c.accepted) << c.what;
        EXPECT_EQ(Picture::from_bmp(c.bytes) != nullptr, c.accepted) << c.what;
    }
}

TEST(BmpLayout, FindsSizesAndRows) {
    BmpLayout layout;
    ASSERT_TRUE(read_bmp_layout(build_bmp(7, 5), layout));
    EXPECT_EQ(layout.width, 7);
    EXPECT_EQ(layout.height, 5);
    EXPECT_TRUE(layout.bottom_up);
    EXPECT_EQ(layout.pixel_offset, 54u);
    EXPECT_EQ(layout.row_stride, 24u);  // 21 bytes padded to 24
}

TEST(Screenshot, IsA24BitBottomUpBmpOfTheWholeScreen) {
    const std::string shot = capture_screen_bmp();
    const auto width = static_cast<std::uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    const auto height = static_cast<std::uint32_t>(GetSystemMetrics(SM_CYSCREEN));
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    ASSERT_GE(shot.size(), 54u);
    EXPECT_EQ(shot.substr(0, 2), "BM");
    EXPECT_EQ(field(shot, 2, 4), shot.size());
    EXPECT_EQ(field(shot, 6, 4), 0u);
    EXPECT_EQ(field(shot, 10, 4), 54u);
    EXPECT_EQ(field(shot, 14, 4), 40u);
    EXPECT_EQ(field(shot, 18, 4), width);
    EXPECT_EQ(field(shot, 22, 4), height);  // positive: bottom row first
    EXPECT_EQ(field(shot, 26, 2), 1u);
    EXPECT_EQ(field(shot, 28, 2), 24u);
    EXPECT_EQ(field(shot, 30, 4), 0u);
    EXPECT_EQ(shot.size(), 54u + stride * height);
}

// A 16 x 8 JPEG of one colour, red 200, green 40, blue 40.
const std::string red_jpeg(
    "\xff\xd8\xff\xe0\x00\x10\x4a\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xdb\x00\x43\x00\x02\x01\x01\x01\x01\x01\x02"
    "\x01\x01\x01\x02\x02\x02\x02\x02\x04\x03\x02\x02\x02\x02\x05\x04\x04\x03\x04\x06\x05\x06\x06\x06\x05\x06\x06\x06\x07\x09\x08\x06"
    "\x07\x09\x07\x06\x06\x08\x0b\x08\x09\x0a\x0a\x0a\x0a\x0a\x06\x08\x0b\x0c\x0b\x0a\x0c\x09\x0a\x0a\x0a\xff\xdb\x00\x43\x01\x02\x02"
    "\x02\x02\x02\x02\x05\x03\x03\x05\x0a\x07\x06\x07\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a"
    "\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\x0a\xff\xc0"
    "\x00\x11\x08\x00\x08\x00\x10\x03\x01\x11\x00\x02\x11\x01\x03\x11\x01\xff\xc4\x00\x15\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x08\xff\xc4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\xc4"
    "\x00\x16\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x07\x09\xff\xc4\x00\x14\x11\x01\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\xda\x00\x0c\x03\x01\x00\x02\x11\x03\x11\x00\x3f\x00\x97\xd1\x36\xa0\x00\xff"
    "\xd9",
    289);

COLORREF pixel_of(const Picture& picture, int x, int y) {
    MemoryDC dc;
    Selection selected(dc.get(), picture.bitmap());
    return GetPixel(dc.get(), x, y);
}

bool close_to(int got, int want) { return got >= want - 10 && got <= want + 10; }

TEST(PictureFromImage, DecodesJpegAndBmpAndRefusesTheRest) {
    const std::unique_ptr<Picture> jpeg = Picture::from_image(red_jpeg);
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->width(), 16);
    EXPECT_EQ(jpeg->height(), 8);
    const COLORREF colour = pixel_of(*jpeg, 9, 5);
    EXPECT_TRUE(close_to(GetRValue(colour), 200) && close_to(GetGValue(colour), 40) && close_to(GetBValue(colour), 40))
        << std::hex << colour;

    const std::unique_ptr<Picture> bmp = Picture::from_image(build_bmp(3, 2));
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->width(), 3);

    for (const std::string& other : {std::string("GIF89a\x01\x00\x01\x00"), std::string(), std::string("\xFF\xD8\xFF", 3)}) {
        EXPECT_EQ(Picture::from_image(other), nullptr) << other.size() << " bytes";
    }
}

TEST(Bmp24FileImage, RefusesRowsOfTheWrongSize) {
    EXPECT_EQ(bmp24_file_image(2, 2, std::string(16, 'x')).size(), 54u + 16);
    EXPECT_EQ(bmp24_file_image(2, 2, std::string(12, 'x')), "");
    EXPECT_EQ(bmp24_file_image(0, 2, ""), "");
    EXPECT_EQ(bmp24_file_image(-1, -1, ""), "");
}

}  // namespace
}  // namespace vorbel::test
