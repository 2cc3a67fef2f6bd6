#include "capture/capture_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "capture/crop_bitmap.h"
#include "capture/toolbar_place.h"
#include "tests/unit/capture/capture_fixture.h"

namespace vorbel {
namespace {

using namespace capture_names;
using test::CaptureFixture;
using test::pixel_at;
using test::pixel_code;

using Log = std::vector<std::string>;

Log band(int x1, int y1, int x2, int y2) {
    const auto line = [](int a, int b, int c, int d) {
        return "line " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + " " +
               std::to_string(d);
    };
    return {line(x1, y1, x1, y2), line(x2, y1, x2, y2), line(x1, y1, x2, y1), line(x1, y2, x2, y2)};
}

Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Log pen_and_clear{"pen 2 0000ffff", "clear"};

TEST(CaptureWindow, OpeningCoversTheScreenWithTheScreenshot) {
    CaptureFixture f(320, 240);
    bool visible_during_token_request = true;
    f.recorded.on_token_request = [&] {
        const WindowId w = f.toolkit.find_window(window);
        visible_during_token_request = f.toolkit.visible(w, "");
    };
    const WindowId id = f.open();
    ASSERT_NE(id, no_window);
    EXPECT_FALSE(visible_during_token_request) << "the window shows only after the token request";
    EXPECT_TRUE(f.toolkit.visible(id, ""));
    EXPECT_FALSE(f.toolkit.window(id).design.bordered);
    EXPECT_EQ(f.toolkit.canvas_picture(id, canvas), f.toolkit.next_screenshot);

    const auto& self = f.toolkit.window(id).self;
    EXPECT_EQ((std::vector<int>{self.left, self.top, self.width, self.height}), (std::vector<int>{0, 0, 320, 240}));
    const auto& c = f.toolkit.control(id, canvas);
    EXPECT_EQ((std::vector<int>{c.left, c.top, c.width, c.height}), (std::vector<int>{0, 0, 320, 240}));
    EXPECT_FALSE(f.visible(toolbar));
    EXPECT_FALSE(f.visible(result_panel));
    EXPECT_TRUE(f.toolkit.enabled(id, recognize_button));
    EXPECT_EQ(f.recorded.token_requests, 1);
    EXPECT_EQ(*f.state.access_token, "token-1");
}

TEST(CaptureWindow, DesignPlacesTheToolbarButtonsAndPanel) {
    const WindowDesign design = capture_window_design();
    struct Want {
        const char* name;
        ControlKind kind;
        const char* container;
        int left, top, width, height;
        bool visible;
    };
    const Want wants[] = {
        {canvas, ControlKind::canvas, "", 88, 40, 168, 144, true},
        {toolbar, ControlKind::group_box, "", 80, 192, 100, 40, false},
        {cancel_button, ControlKind::picture_button, toolbar, 5, 9, 28, 28, true},
        {recognize_button, ControlKind::picture_button, toolbar, 36, 9, 28, 28, true},
        {close_button, ControlKind::picture_button, toolbar, 67, 9, 28, 28, true},
        {result_panel, ControlKind::group_box, "", 144, 208, 576, 136, false},
        {result_text, ControlKind::edit_box, result_panel, 2, 7, 569, 125, true},
    };
    ASSERT_EQ(design.controls.size(), std::size(wants));
    for (std::size_t i = 0; i < std::size(wants); ++i) {
        const ControlDesign& got = design.controls[i];
        const Want& want = wants[i];
        EXPECT_EQ(got.name, want.name) << "control " << i;
        EXPECT_EQ(got.kind, want.kind) << want.name;
        EXPECT_EQ(got.container, want.container) << want.name;
        EXPECT_EQ((std::vector<int>{got.left, got.top, got.width, got.height}),
                  (std::vector<int>{want.left, want.top, want.width, want.height}))
            << want.name;
        EXPECT_EQ(got.visible, want.visible) << want.name;
        EXPECT_EQ(got.picture.empty(), got.kind != ControlKind::picture_button) << want.name;
    }
    EXPECT_EQ(design.name, "capture_window");
    EXPECT_EQ((std::vector<int>{design.left, design.top, design.width, design.height}),
              (std::vector<int>{50, 50, 821, 392}));
}

TEST(CaptureWindow, DragRedrawsTheBandAndReleaseDrawsToTheLastMove) {
    CaptureFixture f;
    f.open();
    f.move(5, 5);  // not dragging: nothing drawn
    f.press(10, 20);
    f.move(30, 40);
    f.move(50, 60);
    f.release(55, 65);
    const Log want = pen_and_clear + band(10, 20, 30, 40) + pen_and_clear + band(10, 20, 50, 60) + band(10, 20, 50, 60);
    EXPECT_EQ(f.canvas_log(), want);
    EXPECT_EQ(f.state.drag_active, 0);
    EXPECT_EQ((std::vector<int>{f.state.select_x1, f.state.select_y1, f.state.select_x2, f.state.select_y2}),
              (std::vector<int>{10, 20, 55, 65}));

    f.canvas_log().clear();
    f.move(70, 80);  // after the release: the cursor follows, nothing is drawn
    EXPECT_TRUE(f.canvas_log().empty());
    EXPECT_EQ(f.state.cursor_x, 70);
    EXPECT_EQ(f.state.cursor_y, 80);
}

TEST(CaptureWindow, ReleaseWithoutMoveDrawsToTheEarlierCursorWithThePenAsItIs) {
    CaptureFixture f;
    f.open();
    f.move(3, 4);
    f.press(100, 90);
    f.release(100, 90);
    EXPECT_EQ(f.canvas_log(), band(100, 90, 3, 4)) << "no pen set and no clear before the band";
}

TEST(CaptureWindow, ToolbarSitsBelowTheReleasePoint) {
    CaptureFixture f(1920, 1080);
    f.open();
    f.drag(100, 100, 300, 250);
    EXPECT_TRUE(f.visible(toolbar));
    EXPECT_EQ(f.toolkit.control(f.window, toolbar).left, 205);
    EXPECT_EQ(f.toolkit.control(f.window, toolbar).top, 263);
}

TEST(CaptureWindow, ToolbarStaysOnTheScreen) {
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
        int want_left, want_top;
    };
    const Case cases[] = {
        {"room below", 100, 100, 300, 250, 205, 263},
        {"just fits at the bottom", 100, 100, 300, 1027, 205, 1040},
        {"bottom edge: above the selection", 10, 1000, 40, 1075, 0, 947},
        {"bottom edge, dragged upward: above the release", 500, 1075, 200, 1040, 105, 987},
        {"left edge", 0, 10, 40, 50, 0, 63},
        {"right edge", 1800, 10, 1919, 50, 1820, 63},
        {"whole height selected: at the top edge", 300, 0, 400, 1079, 305, 0},
        {"negative release point", -50, -50, -10, -20, 0, 0},
    };
    for (const Case& c : cases) {
        const ToolbarPlace got = toolbar_place(c.x2, c.y2, std::min(c.y1, c.y2), 1920, 1080);
        EXPECT_EQ(got.left, c.want_left) << c.name;
        EXPECT_EQ(got.top, c.want_top) << c.name;
    }

    CaptureFixture f(1920, 1080);
    f.open();
    f.drag(10, 1000, 40, 1075);
    EXPECT_EQ(f.toolkit.control(f.window, toolbar).left, 0);
    EXPECT_EQ(f.toolkit.control(f.window, toolbar).top, 947);
}

TEST(CaptureWindow, RecognizeSendsTheSelectedRectangle) {
    CaptureFixture f(1920, 1080);
    f.recorded.mode = mode_accurate;
    f.open();
    f.drag(100, 100, 300, 250);
    f.click(recognize_button);
    ASSERT_EQ(f.recorded.jobs.size(), 1u);
    const RecognitionJob& job = f.recorded.jobs[0];
    EXPECT_EQ(job.mode, mode_accurate);
    ASSERT_TRUE(job.image);
    EXPECT_EQ(job.image->size(), 90054u);
    EXPECT_EQ(pixel_at(*job.image, 0, 0), pixel_code(100, 100, 24));
    EXPECT_EQ(pixel_at(*job.image, 199, 149), pixel_code(299, 249, 24));
    EXPECT_EQ(job.image, f.state.cropped_image);
    ASSERT_TRUE(job.access_token);
    EXPECT_EQ(*job.access_token, "token-1");
    EXPECT_TRUE(job.panel);
    EXPECT_EQ(f.recorded.charges, std::vector<int>{mode_accurate});
    EXPECT_FALSE(f.toolkit.enabled(f.window, recognize_button));
}

TEST(CaptureWindow, DragInAnyDirectionSelectsTheSameRectangle) {
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
    };
    const Case cases[] = {
        {"down right", 20, 30, 60, 50},
        {"up left", 60, 50, 20, 30},
        {"down left", 60, 30, 20, 50},
        {"up right", 20, 50, 60, 30},
    };
    const Bytes want = crop_bitmap(test::build_bmp(320, 240, 24), 20, 30, 40, 20);
    ASSERT_FALSE(want.empty());
    for (const Case& c : cases) {
        CaptureFixture f;
        f.open();
        f.drag(c.x1, c.y1, c.x2, c.y2);
        f.click(recognize_button);
        ASSERT_EQ(f.recorded.jobs.size(), 1u) << c.name;
        EXPECT_EQ(*f.recorded.jobs[0].image, want) << c.name;
    }
}

TEST(CaptureWindow, SelectionWithoutImageChargesNothing) {
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
    };
    const Case cases[] = {
        {"click without movement", 40, 40, 40, 40},
        {"no height", 10, 40, 90, 40},
        {"no width", 40, 10, 40, 90},
        {"released outside the picture", 300, 200, 400, 260},
    };
    for (const Case& c : cases) {
        CaptureFixture f;
        f.open();
        f.drag(c.x1, c.y1, c.x2, c.y2);
        f.click(recognize_button);
        EXPECT_TRUE(f.recorded.jobs.empty()) << c.name;
        EXPECT_TRUE(f.recorded.charges.empty()) << c.name;
        EXPECT_TRUE(f.state.cropped_image && f.state.cropped_image->empty()) << c.name;
        EXPECT_TRUE(f.toolkit.message_boxes.empty()) << c.name;
    }
}

TEST(CaptureWindow, RecognizeChargesOnlyWhileTheCountLasts) {
    const Text used_up_normal =
        "\xC6\xD5\xCD\xA8\xCA\xB6\xB1\xF0\xB5\xC4\xB4\xCE\xCA\xFD\xD2\xD1\xBE\xAD\xD3\xC3\xCD\xEA\xC1\xCB\xA3\xA1";  // 普通识别的次数已经用完了！
    const Text used_up_accurate =
        "\xBE\xAB\xD7\xBC\xCA\xB6\xB1\xF0\xB5\xC4\xB4\xCE\xCA\xFD\xD2\xD1\xBE\xAD\xD3\xC3\xCD\xEA\xC1\xCB\xA3\xA1";  // 精准识别的次数已经用完了！
    struct Case {
        const char* name;
        int mode;
        int left;
        bool want_job;
        std::vector<std::string> want_messages;
    };
    const Case cases[] = {
        {"normal, one left", mode_normal, 1, true, {}},
        {"accurate, one left", mode_accurate, 1, true, {}},
        {"normal used up", mode_normal, 0, false, {used_up_normal}},
        {"accurate used up", mode_accurate, 0, false, {used_up_accurate}},
        {"normal below zero", mode_normal, -1, false, {used_up_normal}},
        {"no mode chosen", mode_none, 5, false, {}},
    };
    for (const Case& c : cases) {
        CaptureFixture f;
        f.recorded.mode = c.mode;
        f.recorded.quota = {{c.mode, c.left}};
        f.open();
        f.drag(10, 10, 50, 50);
        f.click(recognize_button);
        EXPECT_EQ(f.recorded.jobs.size(), c.want_job ? 1u : 0u) << c.name;
        EXPECT_EQ(f.recorded.charges, c.want_job ? std::vector<int>{c.mode} : std::vector<int>{}) << c.name;
        EXPECT_EQ(f.toolkit.message_boxes, c.want_messages) << c.name;
    }
}

TEST(CaptureWindow, LastRecognitionOfTheDayUsesTheCountUp) {
    CaptureFixture f;
    f.recorded.quota[mode_normal] = 1;
    f.open();
    for (int i = 0; i < 2; ++i) {
        f.drag(10, 10, 50 + i, 50);
        f.click(recognize_button);
    }
    EXPECT_EQ(f.recorded.jobs.size(), 1u);
    EXPECT_EQ(f.recorded.quota[mode_normal], 0);
    EXPECT_EQ(f.toolkit.message_boxes.size(), 1u);
}

TEST(CaptureWindow, RecognizeStaysDisabledUntilTheNextPress) {
    CaptureFixture f;
    f.open();
    f.drag(10, 10, 50, 50);
    f.click(recognize_button);
    EXPECT_FALSE(f.toolkit.enabled(f.window, recognize_button));
    f.move(60, 60);
    f.click(cancel_button);
    EXPECT_FALSE(f.toolkit.enabled(f.window, recognize_button)) << "moves and cancel leave it disabled";
    f.press(20, 20);
    EXPECT_TRUE(f.toolkit.enabled(f.window, recognize_button));
}

TEST(CaptureWindow, PressHidesToolbarAndEmptiesThePanel) {
    CaptureFixture f;
    f.open();
    f.drag(10, 10, 50, 50);
    f.toolkit.set_visible(f.window, result_panel, true);
    f.toolkit.set_text(f.window, result_text, "old lines");
    f.canvas_log().clear();
    f.press(70, 80);
    EXPECT_FALSE(f.visible(toolbar));
    EXPECT_FALSE(f.visible(result_panel));
    EXPECT_EQ(f.toolkit.text(f.window, result_text), "");
    EXPECT_EQ(f.state.drag_active, 1);
    EXPECT_TRUE(f.canvas_log().empty()) << "the press leaves the old band";
}

TEST(CaptureWindow, CancelErasesTheBandButKeepsTheSelection) {
    CaptureFixture f;
    f.open();
    f.drag(10, 20, 50, 60);
    f.toolkit.set_visible(f.window, result_panel, true);
    f.toolkit.set_text(f.window, result_text, "lines");
    f.canvas_log().clear();
    f.click(cancel_button);
    EXPECT_EQ(f.canvas_log(), Log{"clear"});
    EXPECT_FALSE(f.visible(toolbar));
    EXPECT_FALSE(f.visible(result_panel));
    EXPECT_EQ(f.toolkit.text(f.window, result_text), "");
    EXPECT_EQ((std::vector<int>{f.state.select_x1, f.state.select_y1, f.state.select_x2, f.state.select_y2}),
              (std::vector<int>{10, 20, 50, 60}));
}

TEST(CaptureWindow, CloseButtonAndEscapeCloseAndBringMainWindowBack) {
    struct Case {
        const char* name;
        std::function<void(CaptureFixture&)> act;
        bool want_closed;
    };
    const Case cases[] = {
        {"close button", [](CaptureFixture& f) { f.click(close_button); }, true},
        {"escape", [](CaptureFixture& f) { f.handler().key_pressed(key_escape); }, true},
        {"another key", [](CaptureFixture& f) { f.handler().key_pressed(key_f); }, false},
    };
    for (const Case& c : cases) {
        CaptureFixture f;
        f.open();
        f.drag(10, 10, 50, 50);
        c.act(f);
        EXPECT_EQ(!f.toolkit.window_exists(f.window), c.want_closed) << c.name;
        EXPECT_EQ(f.recorded.main_window_shown, c.want_closed ? 1 : 0) << c.name;
    }
}

TEST(CaptureWindow, SelectionValuesOutliveTheWindow) {
    CaptureFixture f;
    const WindowId first = f.open();
    f.press(10, 20);
    f.move(40, 50);
    f.release(45, 55);
    f.click(recognize_button);
    ASSERT_EQ(f.recorded.jobs.size(), 1u);
    const auto first_token = f.recorded.jobs[0].access_token;
    const auto first_image = f.state.cropped_image;
    f.click(close_button);

    const WindowId second = f.open();
    ASSERT_NE(second, first);
    EXPECT_EQ((std::vector<int>{f.state.select_x1, f.state.select_y1, f.state.select_x2, f.state.select_y2,
                                f.state.cursor_x, f.state.cursor_y}),
              (std::vector<int>{10, 20, 45, 55, 40, 50}));
    EXPECT_EQ(f.state.cropped_image, first_image);
    EXPECT_EQ(*f.state.access_token, "token-2") << "a new opening fetches a new token";
    EXPECT_EQ(*first_token, "token-1") << "the earlier worker keeps its token";
    EXPECT_FALSE(f.visible(toolbar)) << "each opening starts from the design";

    // The cursor of the earlier opening is where the band of a release
    // without moves ends.
    f.press(100, 100);
    f.release(100, 100);
    EXPECT_EQ(f.canvas_log(), band(100, 100, 40, 50));
}

TEST(CaptureWindow, OpeningWhileOpenReturnsTheSameWindow) {
    CaptureFixture f;
    const WindowId first = f.open();
    EXPECT_EQ(f.open(), first);
    EXPECT_EQ(f.recorded.token_requests, 1);
}

TEST(CaptureWindow, DragActiveCarriesOverIntoTheNextOpening) {
    CaptureFixture f;
    f.open();
    f.press(10, 10);
    f.click(close_button);  // closed mid-drag
    f.open();
    EXPECT_EQ(f.state.drag_active, 1);
    f.move(30, 30);
    EXPECT_EQ(f.canvas_log(), pen_and_clear + band(10, 10, 30, 30));
}

}  // namespace
}  // namespace vorbel
