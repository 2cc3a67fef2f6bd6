// The Win32 toolkit against real windows (run under Wine on a virtual
// display by the Windows build's tests).
#include "ui/win32/win32_toolkit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "toolkit_fixture.h"

namespace vorbel::test {
namespace {

class Win32ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        handler.toolkit = &toolkit;
        window = toolkit.load_window(small_design(), handler, false);
        ASSERT_NE(window, no_window);
        settle(toolkit);
    }

    HWND hwnd(const std::string& control = "") { return toolkit.native_handle(window, control); }
    RECT screen_rect(const std::string& control) {
        RECT r{};
        GetWindowRect(hwnd(control), &r);
        return r;
    }

    Win32Toolkit toolkit;
    RecordingHandler handler;
    WindowId window = no_window;
};

TEST_F(Win32ToolkitTest, CreatedRunsBeforeTheWindowFirstShows) {
    EXPECT_FALSE(handler.visible_when_created);
    ASSERT_GE(handler.events.size(), 3u);
    EXPECT_EQ(handler.events[0], "created");
    EXPECT_EQ(handler.events[1], "shown");
    EXPECT_EQ(handler.events[2], "activated");
    EXPECT_TRUE(toolkit.visible(window, ""));
}

TEST_F(Win32ToolkitTest, ShownRunsEachTimeTheWindowBecomesVisible) {
    handler.events.clear();
    toolkit.set_visible(window, "", false);
    EXPECT_FALSE(toolkit.visible(window, ""));
    toolkit.set_visible(window, "", true);
    settle(toolkit);
    EXPECT_TRUE(toolkit.visible(window, ""));
    ASSERT_FALSE(handler.events.empty());
    EXPECT_EQ(handler.events[0], "shown");
}

TEST_F(Win32ToolkitTest, TextsRoundTripInChinese) {
    struct Case {
        std::string control;
        std::string text;
    };
    const Case cases[] = {
        {label_name, "\xC6\xD5\xCD\xA8\xCA\xB6\xB1\xF0\xB5\xC4\xB4\xCE\xCA\xFD\xD2\xD1\xBE\xAD\xD3\xC3\xCD\xEA\xC1\xCB\xA3\xA1"},
        {label_name, "\xD7\xA2\xA3\xBA\r\n1\xA1\xA2(\xC3\xE2\xB7\xD1\xA3\xA9"},  // 注：\r\n1、(免费）
        {label_name, ""},
        {button_name, "\xCA\xB6\xB1\xF0     F\xBC\xFC\xBC\xA4\xBB\xEE"},  // 识别     F键激活
        {edit_name, "Hello world\r\n\xC4\xE3\xBA\xC3\xCA\xC0\xBD\xE7"},   // 你好世界
        {radio1_name, "A&B"},
        {group_name, "\xC9\xE8\xD6\xC3"},
        {"", "Vorbel1.0"},
    };
    for (const Case& c : cases) {
        toolkit.set_text(window, c.control, c.text);
        EXPECT_EQ(toolkit.text(window, c.control), c.text) << "control " << c.control << " text " << c.text;
    }
}

TEST_F(Win32ToolkitTest, DesignTextsArriveAsUtf16) {
    wchar_t title[64] = {};
    GetWindowTextW(hwnd(), title, 64);
    EXPECT_EQ(std::wstring(title), L"\u6D4B\u8BD5\u7A97\u53E3");  // 测试窗口
    wchar_t radio[64] = {};
    GetWindowTextW(hwnd(radio1_name), radio, 64);
    EXPECT_EQ(std::wstring(radio), L"\u666E\u901A\u8BC6\u522B");  // 普通识别
}

TEST_F(Win32ToolkitTest, RadioButtonsOfOneContainerExcludeEachOther) {
    EXPECT_FALSE(toolkit.checked(window, radio1_name));
    EXPECT_FALSE(toolkit.checked(window, radio2_name));
    toolkit.set_checked(window, radio1_name, true);
    toolkit.set_checked(window, radio2_name, true);
    EXPECT_FALSE(toolkit.checked(window, radio1_name));
    EXPECT_TRUE(toolkit.checked(window, radio2_name));

    // A click, as the mouse gives it, checks the button, clears the other
    // and reports the click.
    handler.events.clear();
    SendMessageW(hwnd(radio1_name), BM_CLICK, 0, 0);
    settle(toolkit);
    EXPECT_TRUE(toolkit.checked(window, radio1_name));
    EXPECT_FALSE(toolkit.checked(window, radio2_name));
    ASSERT_FALSE(handler.events.empty());
    EXPECT_EQ(handler.events.back(), "clicked " + radio1_name);

    toolkit.set_checked(window, radio1_name, false);
    EXPECT_FALSE(toolkit.checked(window, radio1_name));
    EXPECT_FALSE(toolkit.checked(window, radio2_name));
}

TEST_F(Win32ToolkitTest, ButtonClickReachesTheHandler) {
    handler.events.clear();
    SendMessageW(hwnd(button_name), BM_CLICK, 0, 0);
    settle(toolkit);
    ASSERT_FALSE(handler.events.empty());
    EXPECT_EQ(handler.events.back(), "clicked " + button_name);
}

TEST_F(Win32ToolkitTest, HidingAGroupBoxHidesWhatItHolds) {
    EXPECT_TRUE(IsWindowVisible(hwnd(radio1_name)));
    toolkit.set_visible(window, group_name, false);
    EXPECT_FALSE(toolkit.visible(window, group_name));
    EXPECT_FALSE(IsWindowVisible(hwnd(radio1_name)));
    EXPECT_FALSE(IsWindowVisible(hwnd(inner_label_name)));
    // The held controls keep their own state and show again with the group.
    EXPECT_TRUE(toolkit.visible(window, radio1_name));
    toolkit.set_visible(window, group_name, true);
    EXPECT_TRUE(IsWindowVisible(hwnd(radio1_name)));
}

TEST_F(Win32ToolkitTest, MovingAGroupBoxMovesWhatItHolds) {
    const RECT group_before = screen_rect(group_name);
    const RECT radio_before = screen_rect(radio1_name);
    EXPECT_EQ(radio_before.left - group_before.left, 22);
    EXPECT_EQ(radio_before.top - group_before.top, 22);
    toolkit.set_left(window, group_name, 40);
    toolkit.set_top(window, group_name, 30);
    const RECT radio_after = screen_rect(radio1_name);
    EXPECT_EQ(radio_after.left - radio_before.left, 32);
    EXPECT_EQ(radio_after.top - radio_before.top, 22);
}

TEST_F(Win32ToolkitTest, GeometryReadsBackInDesignPixels) {
    struct Case {
        std::string control;
        int left, top, width, height;
    };
    const Case cases[] = {
        {label_name, 12, 150, 90, 24},
        {group_name, 4, 6, 200, 110},
        {edit_name, 0, 0, 300, 40},
        {"", 100, 120, 400, 300},
    };
    for (const Case& c : cases) {
        toolkit.set_height(window, c.control, c.height);
        toolkit.set_width(window, c.control, c.width);
        toolkit.set_left(window, c.control, c.left);
        toolkit.set_top(window, c.control, c.top);
        EXPECT_EQ(toolkit.width(window, c.control), c.width) << "control " << c.control;
        EXPECT_EQ(toolkit.height(window, c.control), c.height) << "control " << c.control;
    }
    // The design sizes are outer sizes of the window.
    const RECT outer = screen_rect("");
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 120);
}

TEST_F(Win32ToolkitTest, EnabledStateFollowsTheSetter) {
    toolkit.set_enabled(window, button_name, false);
    EXPECT_FALSE(toolkit.enabled(window, button_name));
    EXPECT_FALSE(IsWindowEnabled(hwnd(button_name)));
    toolkit.set_enabled(window, button_name, true);
    EXPECT_TRUE(toolkit.enabled(window, button_name));
}

TEST_F(Win32ToolkitTest, AppendAddsAtTheEndOfTheEditBox) {
    toolkit.set_text(window, edit_name, "Hello");
    toolkit.append_text(window, edit_name, "\r\n\xC4\xE3\xBA\xC3");  // 你好
    toolkit.append_text(window, edit_name, "\r\n");
    EXPECT_EQ(toolkit.text(window, edit_name), "Hello\r\n\xC4\xE3\xBA\xC3\r\n");

    // Beyond the edit control's default limit of 32,767 characters.
    const std::string line(1000, 'x');
    for (int i = 0; i < 40; ++i) toolkit.append_text(window, edit_name, line);
    const std::string all = toolkit.text(window, edit_name);
    EXPECT_EQ(all.size(), 13u + 40 * 1000);
    EXPECT_EQ(all.substr(0, 9), "Hello\r\n\xC4\xE3");
}

TEST_F(Win32ToolkitTest, AppendScrollsTheEndIntoView) {
    for (int i = 0; i < 60; ++i) toolkit.append_text(window, edit_name, "line " + std::to_string(i) + "\r\n");
    const auto first_visible = SendMessageW(hwnd(edit_name), EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first_visible, 40);
}

TEST_F(Win32ToolkitTest, MissingWindowsAndControlsReadAsEmpty) {
    const WindowId missing_window = window + 1000;
    struct Case {
        WindowId window;
        std::string control;
    };
    const Case cases[] = {{window, "no such control"}, {missing_window, ""}, {missing_window, label_name}};
    for (const Case& c : cases) {
        toolkit.set_text(c.window, c.control, "x");
        toolkit.set_left(c.window, c.control, 5);
        toolkit.set_visible(c.window, c.control, true);
        toolkit.set_checked(c.window, c.control, true);
        toolkit.append_text(c.window, c.control, "x");
        toolkit.draw_line(c.window, c.control, 0, 0, 5, 5);
        EXPECT_EQ(toolkit.text(c.window, c.control), "") << c.window << " " << c.control;
        EXPECT_EQ(toolkit.width(c.window, c.control), 0) << c.window << " " << c.control;
        EXPECT_FALSE(toolkit.visible(c.window, c.control)) << c.window << " " << c.control;
        EXPECT_FALSE(toolkit.enabled(c.window, c.control)) << c.window << " " << c.control;
        EXPECT_FALSE(toolkit.checked(c.window, c.control)) << c.window << " " << c.control;
        EXPECT_EQ(toolkit.canvas_picture(c.window, c.control), "") << c.window << " " << c.control;
    }
    EXPECT_EQ(toolkit.register_hotkey(missing_window, label_name, 'Q'), 0);
}

TEST_F(Win32ToolkitTest, DestroyAnnouncesFirstAndIdentifiersAreNotReused) {
    HWND native = hwnd();
    handler.events.clear();
    toolkit.destroy_window(window);
    EXPECT_TRUE(handler.existed_when_destroyed);
    EXPECT_EQ(handler.events, std::vector<std::string>{"will be destroyed"});
    EXPECT_FALSE(toolkit.window_exists(window));
    EXPECT_FALSE(IsWindow(native));

    RecordingHandler second;
    const WindowId next = toolkit.load_window(small_design(), second, false);
    EXPECT_NE(next, window);
    EXPECT_FALSE(toolkit.window_exists(window));
    toolkit.set_text(window, label_name, "stale");
    EXPECT_EQ(toolkit.text(next, label_name), "50");
    toolkit.destroy_window(next);
}

TEST_F(Win32ToolkitTest, TheCloseBoxDestroysTheWindowWithItsEvent) {
    handler.events.clear();
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(toolkit.window_exists(window));
    EXPECT_EQ(handler.events, std::vector<std::string>{"will be destroyed"});
}

TEST_F(Win32ToolkitTest, MenuItemsArriveByTheirText) {
    HMENU bar = GetMenu(hwnd());
    ASSERT_NE(bar, nullptr);
    const UINT id = GetMenuItemID(GetSubMenu(bar, 0), 0);
    handler.events.clear();
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(handler.events, std::vector<std::string>{"menu " + menu_item});
}

TEST_F(Win32ToolkitTest, HotkeyPressesArriveAsTheLabelsFeedback) {
    const int id = toolkit.register_hotkey(window, label_name, VK_F9);
    ASSERT_NE(id, 0);
    handler.events.clear();
    SendMessageW(hwnd(), WM_HOTKEY, static_cast<WPARAM>(id), MAKELPARAM(0, VK_F9));
    SendMessageW(hwnd(), WM_HOTKEY, static_cast<WPARAM>(id + 50), MAKELPARAM(0, VK_F9));  // someone else's
    EXPECT_EQ(handler.events, std::vector<std::string>{"feedback " + label_name + " " + std::to_string(id)});
}

TEST_F(Win32ToolkitTest, KeysReachTheWindowFromItsControls) {
    handler.events.clear();
    PostMessageW(hwnd(edit_name), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(hwnd(), WM_KEYDOWN, 'F', 0);
    settle(toolkit);
    EXPECT_EQ(handler.events, (std::vector<std::string>{"key 27", "key 70"}));
}

TEST_F(Win32ToolkitTest, CentreMovesAVisibleWindowToTheScreensMiddle) {
    toolkit.set_left(window, "", 3);
    toolkit.set_top(window, "", 4);
    toolkit.centre_window(window);
    RECT r = screen_rect("");
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
}

TEST_F(Win32ToolkitTest, CentreRestoresAMinimizedWindow) {
    ShowWindow(hwnd(), SW_MINIMIZE);
    settle(toolkit);
    ASSERT_TRUE(IsIconic(hwnd()));
    toolkit.centre_window(window);
    settle(toolkit);
    EXPECT_FALSE(IsIconic(hwnd()));
    RECT r = screen_rect("");
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
}

TEST_F(Win32ToolkitTest, CentreLeavesAHiddenWindowAlone) {
    toolkit.set_visible(window, "", false);
    toolkit.set_left(window, "", 3);
    toolkit.centre_window(window);
    EXPECT_EQ(screen_rect("").left, 3);
    EXPECT_FALSE(toolkit.visible(window, ""));
}

TEST_F(Win32ToolkitTest, TopmostGoesOnAndOff) {
    toolkit.set_topmost(window, true);
    EXPECT_NE(GetWindowLongW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    toolkit.set_topmost(window, false);
    EXPECT_EQ(GetWindowLongW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(Win32ToolkitTest, WorkersReachControlsThroughTheUserInterfaceThread) {
    // The worker's calls wait for the loop; the loop ends when the worker
    // closes the window.
    std::string read_back;
    std::thread worker([&] {
        toolkit.set_text(window, label_name, "\xC4\xE3\xBA\xC3");
        read_back = toolkit.text(window, label_name);
        toolkit.destroy_window(window);
    });
    toolkit.run_message_loop(window);
    worker.join();
    EXPECT_EQ(read_back, "\xC4\xE3\xBA\xC3");
    EXPECT_FALSE(toolkit.window_exists(window));
}

TEST(Win32ToolkitTasks, PostedTasksRunInOrderFromSeveralThreads) {
    Win32Toolkit toolkit;
    RecordingHandler handler;
    const WindowId window = toolkit.load_window(small_design(), handler, false);
    constexpr int threads = 4;
    constexpr int per_thread = 250;
    std::vector<std::pair<int, int>> seen;  // touched on the user-interface thread only
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            for (int i = 0; i < per_thread; ++i) toolkit.post([&seen, t, i] { seen.emplace_back(t, i); });
        });
    }
    for (auto& w : workers) w.join();
    toolkit.post([&] { toolkit.destroy_window(window); });
    toolkit.run_message_loop(window);

    ASSERT_EQ(seen.size(), static_cast<std::size_t>(threads * per_thread));
    std::vector<int> next(threads, 0);
    for (const auto& [t, i] : seen) {
        EXPECT_EQ(i, next[t]) << "thread " << t << " ran out of order";
        next[t] = i + 1;
    }

    // After the loop has ended, posted tasks never run.
    bool ran = false;
    toolkit.post([&] { ran = true; });
    toolkit.run_pending_events();
    EXPECT_FALSE(ran);
}

TEST(Win32ToolkitTasks, TasksPostedByATaskRunAfterIt) {
    Win32Toolkit toolkit;
    RecordingHandler handler;
    const WindowId window = toolkit.load_window(small_design(), handler, false);
    std::string order;
    toolkit.post([&] {
        order += "a";
        toolkit.post([&] {
            order += "c";
            toolkit.destroy_window(window);
        });
        order += "b";
    });
    toolkit.run_message_loop(window);
    EXPECT_EQ(order, "abc");
}

TEST(Win32ToolkitModal, ModalLoadReturnsWhenTheWindowCloses) {
    Win32Toolkit toolkit;
    struct ClosesItself : RecordingHandler {
        void created(WindowId id) override {
            RecordingHandler::created(id);
            toolkit->post([this] { toolkit->destroy_window(self); });
        }
    } handler;
    handler.toolkit = &toolkit;
    const WindowId window = toolkit.load_window(small_design(), handler, true);
    EXPECT_FALSE(toolkit.window_exists(window));
    ASSERT_FALSE(handler.events.empty());
    EXPECT_EQ(handler.events.front(), "created");
    EXPECT_EQ(handler.events.back(), "will be destroyed");
}

TEST(Win32ToolkitMessageBox, ShowsTheTextUnderTheFixedTitleFromAnyThread) {
    Win32Toolkit toolkit;
    const std::string text = "\xC6\xD5\xCD\xA8\xCA\xB6\xB1\xF0\xB5\xC4\xB4\xCE\xCA\xFD\xD2\xD1\xBE\xAD\xD3\xC3\xCD\xEA\xC1\xCB\xA3\xA1";
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        toolkit.message_box(text);
        returned = true;
    });
    HWND box = nullptr;
    for (int i = 0; i < 100 && !box; ++i) {
        box = FindWindowW(L"#32770", L"\u4FE1\u606F\uFF1A");
        if (!box) Sleep(50);
    }
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(returned);
    wchar_t shown[128] = {};
    GetDlgItemTextW(box, 0xFFFF, shown, 128);
    EXPECT_EQ(std::wstring(shown), L"\u666E\u901A\u8BC6\u522B\u7684\u6B21\u6570\u5DF2\u7ECF\u7528\u5B8C\u4E86\uFF01");
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);  // OK only
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    worker.join();
    EXPECT_TRUE(returned);
}

}  // namespace
}  // namespace vorbel::test
