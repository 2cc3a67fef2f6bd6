// In-memory toolkit for tests: windows are records of control state, canvas
// operations and message boxes are logged, and posted tasks wait in a queue
// until the test runs them with run_posted().
#pragma once

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "ui/toolkit.h"

namespace vorbel {

class FakeToolkit : public Toolkit {
public:
    struct Control {
        ControlDesign design;
        int left = 0, top = 0, width = 0, height = 0;
        bool visible = true;
        bool enabled = true;
        bool checked = false;
        std::string text;
        std::string picture;  // canvas background
    };
    struct Window {
        WindowDesign design;
        WindowHandler* handler = nullptr;
        bool modal = false;
        Control self;
        std::map<std::string, Control> controls;
        std::vector<std::string> canvas_log;  // "pen 2 0000ffff", "clear", "line 1 2 3 4"
        bool centred = false;
        bool topmost = false;
    };

    FakeToolkit(int screen_width = 1920, int screen_height = 1080);

    WindowId load_window(const WindowDesign& design, WindowHandler& handler, bool modal) override;
    void destroy_window(WindowId window) override;
    bool window_exists(WindowId window) const override;

    void set_left(WindowId window, const std::string& control, int value) override;
    void set_top(WindowId window, const std::string& control, int value) override;
    void set_width(WindowId window, const std::string& control, int value) override;
    void set_height(WindowId window, const std::string& control, int value) override;
    int width(WindowId window, const std::string& control) const override;
    int height(WindowId window, const std::string& control) const override;

    void set_visible(WindowId window, const std::string& control, bool visible) override;
    bool visible(WindowId window, const std::string& control) const override;
    void set_enabled(WindowId window, const std::string& control, bool enabled) override;
    bool enabled(WindowId window, const std::string& control) const override;

    void set_text(WindowId window, const std::string& control, const std::string& text) override;
    std::string text(WindowId window, const std::string& control) const override;
    void append_text(WindowId window, const std::string& control, const std::string& text) override;

    void set_checked(WindowId window, const std::string& control, bool checked) override;
    bool checked(WindowId window, const std::string& control) const override;

    void set_canvas_picture(WindowId window, const std::string& canvas, std::string bmp) override;
    std::string canvas_picture(WindowId window, const std::string& canvas) const override;
    void clear_canvas(WindowId window, const std::string& canvas) override;
    void set_pen(WindowId window, const std::string& canvas, int width, std::uint32_t colour_bgr) override;
    void draw_line(WindowId window, const std::string& canvas, int x1, int y1, int x2, int y2) override;

    void centre_window(WindowId window) override;
    void set_topmost(WindowId window, bool topmost) override;
    void run_pending_events() override;

    int register_hotkey(WindowId window, const std::string& label, int key) override;
    void message_box(const std::string& text) override;

    int screen_width() const override { return screen_width_; }
    int screen_height() const override { return screen_height_; }
    std::string screenshot() override;

    void post(std::function<void()> task) override;
    void run_message_loop(WindowId window) override;

    // --- Test controls ---
    // Runs posted tasks, including those posted while running, until none is left.
    void run_posted();
    std::size_t posted_count() const;
    // The window most recently loaded from a design named `design_name`.
    WindowId find_window(const std::string& design_name) const;
    Window& window(WindowId id);
    Control& control(WindowId id, const std::string& name);
    // Delivers events as the platform would.
    void click(WindowId id, const std::string& control);
    void show(WindowId id);  // makes the window visible and runs `shown`
    void hide(WindowId id);

    std::vector<std::string> message_boxes;
    std::string next_screenshot;  // what screenshot() returns
    int hotkey_result = 7;        // identifier register_hotkey() returns
    std::vector<int> registered_hotkeys;
    std::vector<std::string> event_log;  // "pending events", "topmost on", ...

private:
    Control* find(WindowId window, const std::string& control);
    const Control* find(WindowId window, const std::string& control) const;

    int screen_width_;
    int screen_height_;
    WindowId next_id_ = 1;
    std::map<WindowId, Window> windows_;
    mutable std::mutex posted_mutex_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace vorbel
