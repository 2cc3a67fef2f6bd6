#include "app/main_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace vorbel {
namespace {

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint32_t le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

TEST(MainPicture, IsAConsistent24BitBmpOfThePictureBoxSize) {
    const Bytes bmp = main_picture_bmp();
    const std::uint32_t row = (main_picture_width * 3 + 3) & ~3u;
    ASSERT_EQ(bmp.size(), 54 + row * main_picture_height);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(le32(bmp, 10), 54u);
    EXPECT_EQ(le32(bmp, 14), 40u);
    EXPECT_EQ(le32(bmp, 18), static_cast<std::uint32_t>(main_picture_width));
    EXPECT_EQ(le32(bmp, 22), static_cast<std::uint32_t>(main_picture_height));  // bottom-up
    EXPECT_EQ(le16(bmp, 26), 1u);
    EXPECT_EQ(le16(bmp, 28), 24u);
    EXPECT_EQ(le32(bmp, 30), 0u);
    EXPECT_EQ(le32(bmp, 34), row * main_picture_height);
    // Row padding stays zero.
    for (int y = 0; y < main_picture_height; ++y) {
        for (std::uint32_t pad = main_picture_width * 3; pad < row; ++pad) {
            ASSERT_EQ(bmp[54 + y * row + pad], '\0') << "row " << y;
        }
    }
    // A drawing, not a flat fill.
    std::set<Bytes> colours;
    for (int x = 0; x < main_picture_width; x += 5) colours.insert(bmp.substr(54 + 70 * row + x * 3, 3));
    EXPECT_GT(colours.size(), 3u);
}

}  // namespace
}  // namespace vorbel
