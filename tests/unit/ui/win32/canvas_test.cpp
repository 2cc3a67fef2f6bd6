// The canvas: its background picture, lines over it, and what shows.
#include <gtest/gtest.h>

#include "tests/support/bmp_builder.h"
#include "toolkit_fixture.h"
#include "ui/win32/gdi_handles.h"
#include "ui/win32/screenshot.h"

namespace vorbel::test {
namespace {

constexpr std::uint32_t yellow = 0x0000FFFF;

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        handler.toolkit = &toolkit;
        window = toolkit.load_window(canvas_design(240, 180), handler, false);
        ASSERT_NE(window, no_window);
        picture = build_bmp(200, 150);
        toolkit.set_canvas_picture(window, canvas_name, picture);
        settle(toolkit);
    }

    // What the screen shows at inner canvas position (x, y), as 0x00BBGGRR.
    COLORREF shown_at(int x, int y) {
        toolkit.run_pending_events();
        UpdateWindow(toolkit.native_handle(window, canvas_name));
        POINT p{x, y};
        ClientToScreen(toolkit.native_handle(window, canvas_name), &p);
        const std::string screen = capture_screen_bmp();
        const std::string pixel = pixel_at(screen, p.x, p.y);
        if (pixel.size() != 3) return CLR_INVALID;
        return RGB(static_cast<unsigned char>(pixel[2]), static_cast<unsigned char>(pixel[1]),
                   static_cast<unsigned char>(pixel[0]));
    }
    COLORREF picture_at(int x, int y) {
        const std::string code = pixel_code(x, y, 24);
        return RGB(static_cast<unsigned char>(code[2]), static_cast<unsigned char>(code[1]),
                   static_cast<unsigned char>(code[0]));
    }

    Win32Toolkit toolkit;
    RecordingHandler handler;
    WindowId window = no_window;
    std::string picture;
};

TEST_F(CanvasTest, PictureReadsBackAsSetAndLinesNeverEnterIt) {
    EXPECT_EQ(toolkit.canvas_picture(window, canvas_name), picture);
    toolkit.set_pen(window, canvas_name, 2, yellow);
    toolkit.draw_line(window, canvas_name, 10, 10, 150, 10);
    toolkit.draw_line(window, canvas_name, 10, 10, 10, 120);
    EXPECT_EQ(toolkit.canvas_picture(window, canvas_name), picture);
    toolkit.clear_canvas(window, canvas_name);
    EXPECT_EQ(toolkit.canvas_picture(window, canvas_name), picture);
}

TEST_F(CanvasTest, ThePictureShowsAtNaturalSizeFromTheInnerCorner) {
    struct Case {
        int x, y;
    };
    for (const Case& c : {Case{0, 0}, Case{199, 0}, Case{0, 149}, Case{123, 77}}) {
        EXPECT_EQ(shown_at(c.x, c.y), picture_at(c.x, c.y)) << "at " << c.x << "," << c.y;
    }
    // Beyond the picture: the button face.
    EXPECT_EQ(shown_at(210, 160), GetSysColor(COLOR_BTNFACE));
}

TEST_F(CanvasTest, LinesShowOverThePictureUntilCleared) {
    toolkit.set_pen(window, canvas_name, 2, yellow);
    toolkit.draw_line(window, canvas_name, 20, 30, 120, 30);
    toolkit.draw_line(window, canvas_name, 20, 30, 20, 100);
    EXPECT_EQ(shown_at(60, 30), RGB(255, 255, 0));
    EXPECT_EQ(shown_at(20, 70), RGB(255, 255, 0));
    EXPECT_EQ(shown_at(60, 60), picture_at(60, 60));

    // A clear followed by the next band in one event: the old band goes,
    // the new one shows.
    toolkit.clear_canvas(window, canvas_name);
    toolkit.draw_line(window, canvas_name, 40, 50, 140, 50);
    EXPECT_EQ(shown_at(60, 30), picture_at(60, 30));
    EXPECT_EQ(shown_at(20, 70), picture_at(20, 70));
    EXPECT_EQ(shown_at(90, 50), RGB(255, 255, 0));
}

TEST_F(CanvasTest, TheInitialPenIsOnePixelBlack) {
    toolkit.draw_line(window, canvas_name, 30, 40, 90, 40);
    EXPECT_EQ(shown_at(50, 40), RGB(0, 0, 0));
    EXPECT_EQ(shown_at(90, 40), RGB(0, 0, 0));  // the end point too
    EXPECT_EQ(shown_at(50, 41), picture_at(50, 41));
}

TEST_F(CanvasTest, AMoveRepaintsOnlyTheOldAndTheNewLines) {
    HWND canvas = toolkit.native_handle(window, canvas_name);
    toolkit.set_pen(window, canvas_name, 2, yellow);
    toolkit.draw_line(window, canvas_name, 20, 30, 120, 30);
    settle(toolkit);
    UpdateWindow(canvas);

    // One drag move: clear, then the new band.
    toolkit.clear_canvas(window, canvas_name);
    toolkit.draw_line(window, canvas_name, 40, 90, 140, 90);
    GdiObject<HRGN> pending(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetUpdateRgn(canvas, pending.get(), FALSE), ERROR);
    struct Case {
        int x, y;
        bool repainted;
    };
    const Case cases[] = {
        {70, 30, true},    // the old line
        {70, 90, true},    // the new line
        {70, 60, false},   // between them
        {190, 140, false}, // far away
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PtInRegion(pending.get(), c.x, c.y) != FALSE, c.repainted) << "at " << c.x << "," << c.y;
    }
}

TEST_F(CanvasTest, AnUncoveredCanvasShowsTheSurfaceAgain) {
    toolkit.set_pen(window, canvas_name, 2, yellow);
    toolkit.draw_line(window, canvas_name, 20, 30, 120, 30);
    HWND canvas = toolkit.native_handle(window, canvas_name);
    InvalidateRect(canvas, nullptr, TRUE);  // as when another window moves away
    EXPECT_EQ(shown_at(60, 30), RGB(255, 255, 0));
    EXPECT_EQ(shown_at(60, 60), picture_at(60, 60));
}

TEST_F(CanvasTest, MouseEventsCarryInnerCoordinates) {
    HWND canvas = toolkit.native_handle(window, canvas_name);
    // The double frame puts the inner corner inside the outer one.
    RECT outer{};
    GetWindowRect(canvas, &outer);
    POINT inner{0, 0};
    ClientToScreen(canvas, &inner);
    EXPECT_GT(inner.x, outer.left);
    EXPECT_GT(inner.y, outer.top);

    handler.events.clear();
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 60));
    SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-3), 70));
    const std::vector<std::string> want = {"pressed " + canvas_name + " 5 6", "moved " + canvas_name + " 50 60",
                                           "released " + canvas_name + " -3 70"};
    EXPECT_EQ(handler.events, want);
}

TEST_F(CanvasTest, AnUnreadablePictureLeavesAnEmptyBackground) {
    const std::string broken = picture.substr(0, 100);
    toolkit.set_canvas_picture(window, canvas_name, broken);
    EXPECT_EQ(toolkit.canvas_picture(window, canvas_name), broken);
    EXPECT_EQ(shown_at(50, 50), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace vorbel::test
