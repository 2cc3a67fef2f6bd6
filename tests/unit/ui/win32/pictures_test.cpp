// Picture boxes and picture buttons show their BMP pictures.
#include <gtest/gtest.h>

#include "tests/support/bmp_builder.h"
#include "toolkit_fixture.h"
#include "ui/win32/screenshot.h"

namespace vorbel::test {
namespace {

const std::string box_name = "\xCD\xBC\xC6\xAC\xBF\xF2\x31";           // 图片框1
const std::string button_name = "\xCD\xBC\xD0\xCE\xB0\xB4\xC5\xA5\x32";  // 图形按钮2

class PicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        WindowDesign d;
        d.name = "pictures";
        d.title = "pictures";
        d.left = 0;
        d.top = 0;
        d.width = 300;
        d.height = 200;
        d.bordered = false;
        d.controls.push_back({box_name, ControlKind::picture_box, "", 10, 10, 60, 40, "", {}, true, build_bmp(60, 40)});
        d.controls.push_back({button_name, ControlKind::picture_button, "", 100, 10, 28, 28, "", {}, true,
                              build_bmp(28, 28)});
        handler.toolkit = &toolkit;
        window = toolkit.load_window(d, handler, false);
        ASSERT_NE(window, no_window);
        settle(toolkit);
    }

    // The pixel at (x, y) inside `control`, read off the screen.
    std::string shown_at(const std::string& control, int x, int y) {
        settle(toolkit);
        HWND hwnd = toolkit.native_handle(window, control);
        UpdateWindow(hwnd);
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        return pixel_at(capture_screen_bmp(), p.x, p.y);
    }

    Win32Toolkit toolkit;
    RecordingHandler handler;
    WindowId window = no_window;
};

TEST_F(PicturesTest, PictureBoxShowsItsPicture) {
    struct Case {
        int x, y;
    };
    for (const Case& c : {Case{0, 0}, Case{59, 0}, Case{30, 20}, Case{0, 39}}) {
        EXPECT_EQ(shown_at(box_name, c.x, c.y), pixel_code(c.x, c.y, 24)) << "at " << c.x << "," << c.y;
    }
}

TEST_F(PicturesTest, PictureButtonShowsItsPictureAndDimsItWhenDisabled) {
    EXPECT_EQ(shown_at(button_name, 5, 7), pixel_code(5, 7, 24));
    EXPECT_EQ(shown_at(button_name, 20, 3), pixel_code(20, 3, 24));
    toolkit.set_enabled(window, button_name, false);
    InvalidateRect(toolkit.native_handle(window, button_name), nullptr, TRUE);
    // Dimmed: at least one of two neighbouring pixels differs from the picture.
    const bool dimmed = shown_at(button_name, 5, 7) != pixel_code(5, 7, 24) ||
                        shown_at(button_name, 6, 7) != pixel_code(6, 7, 24);
    EXPECT_TRUE(dimmed);
}

TEST_F(PicturesTest, PictureButtonClicksReachTheHandler) {
    handler.events.clear();
    SendMessageW(toolkit.native_handle(window, button_name), BM_CLICK, 0, 0);
    settle(toolkit);
    ASSERT_FALSE(handler.events.empty());
    EXPECT_EQ(handler.events.back(), "clicked " + button_name);
}

}  // namespace
}  // namespace vorbel::test
