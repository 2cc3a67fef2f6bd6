#include "capture/toolbar_icons.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "capture/crop_bitmap.h"
#include "tests/support/bmp_builder.h"

namespace vorbel {
namespace {

using test::pixel_at;

const std::string dark(3, '\x2D');
const std::string white(3, '\xFF');

bool lit(const Bytes& icon, int column, int row) { return pixel_at(icon, column, row) == white; }

struct Icon {
    const char* name;
    std::function<Bytes()> make;
    bool mirrored_left_right;  // the symbol looks the same in a mirror
};

const Icon icons[] = {
    {"cancel", cancel_icon, false},
    {"recognize", recognize_icon, false},
    {"close", close_icon, true},
};

TEST(ToolbarIcons, AreWhiteSymbolsOnADarkSquare) {
    for (const Icon& icon : icons) {
        const Bytes image = icon.make();
        // A whole-picture crop reproduces a well-formed image byte for byte.
        EXPECT_EQ(crop_bitmap(image, 0, 0, 28, 28), image) << icon.name;
        EXPECT_EQ(test::field(image, 18, 4), 28u) << icon.name;
        EXPECT_EQ(test::field(image, 22, 4), 28u) << icon.name;
        EXPECT_EQ(test::field(image, 28, 2), 24u) << icon.name;
        int white_pixels = 0;
        for (int row = 0; row < 28; ++row) {
            for (int column = 0; column < 28; ++column) {
                const std::string p = pixel_at(image, column, row);
                ASSERT_TRUE(p == dark || p == white) << icon.name << " pixel " << column << "," << row;
                white_pixels += p == white;
            }
        }
        EXPECT_GT(white_pixels, 20) << icon.name;
        EXPECT_TRUE(pixel_at(image, 0, 0) == dark && pixel_at(image, 27, 27) == dark) << icon.name;

        bool mirrored = true;
        for (int row = 0; row < 28; ++row) {
            for (int column = 0; column < 28; ++column) mirrored = mirrored && lit(image, column, row) == lit(image, 27 - column, row);
        }
        EXPECT_EQ(mirrored, icon.mirrored_left_right) << icon.name;
    }
    EXPECT_NE(cancel_icon(), recognize_icon());
    EXPECT_NE(recognize_icon(), close_icon());
}

TEST(ToolbarIcons, ShapesPointTheRightWay) {
    const Bytes arrow = cancel_icon();
    EXPECT_TRUE(lit(arrow, 8, 13)) << "arrow tip on the left";
    EXPECT_TRUE(lit(arrow, 11, 10) && lit(arrow, 11, 17)) << "arrow head opens to the right";
    EXPECT_FALSE(lit(arrow, 20, 10) || lit(arrow, 20, 17)) << "no head on the right";

    const Bytes magnifier = recognize_icon();
    EXPECT_FALSE(lit(magnifier, 11, 11)) << "the glass is open";
    EXPECT_TRUE(lit(magnifier, 12, 5)) << "the rim";
    EXPECT_TRUE(lit(magnifier, 20, 20)) << "the handle, lower right";
    EXPECT_FALSE(lit(magnifier, 5, 20)) << "no handle lower left";

    const Bytes cross = close_icon();
    EXPECT_TRUE(lit(cross, 13, 13) && lit(cross, 9, 9) && lit(cross, 18, 9)) << "both diagonals";
    EXPECT_FALSE(lit(cross, 13, 8)) << "open between the arms";
}

}  // namespace
}  // namespace vorbel
