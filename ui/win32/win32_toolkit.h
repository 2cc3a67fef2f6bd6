// The window toolkit over Win32: real windows and common controls.
//
// Threads: the thread that makes the toolkit is its user-interface thread.
// post(), message_box(), screen_width(), screen_height() and screenshot()
// may be called from any thread. Every other operation is carried to the
// user-interface thread and waits for it there (SendMessage to the
// toolkit's message window), so a worker never touches a window directly;
// once the message loop has ended such calls do nothing.
//
// Design coordinates: bordered windows and their controls are in design
// pixels (96 per inch) and scale with the display's DPI; borderless windows
// and their controls work in physical pixels. Every position of a control
// is relative to its container: the window's client area, or the group box
// it sits in (group boxes are real parent windows, so hiding or moving one
// hides or moves what it holds).
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "ui/toolkit.h"
#include "ui/win32/picture.h"
#include "ui/win32/canvas.h"
#include "ui/win32/gdi_handles.h"

namespace vorbel {

class Win32Toolkit : public Toolkit {
public:
    Win32Toolkit();
    ~Win32Toolkit() override;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    // no_window (and no event) when the system refuses to make the window.
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

    int screen_width() const override;
    int screen_height() const override;
    std::string screenshot() override;

    void post(std::function<void()> task) override;
    void run_message_loop(WindowId window) override;

    // The window handle of a window or control; nullptr when there is none.
    // For tests that look at the real window; user-interface thread only.
    HWND native_handle(WindowId window, const std::string& control) const;

private:
    struct Control {
        ControlDesign design;
        HWND hwnd = nullptr;  // for group boxes, the container window
        GdiObject<HFONT> font;
        std::unique_ptr<Picture> picture;
        std::unique_ptr<Canvas> canvas;
    };
    struct Window {
        WindowId id = no_window;
        HWND hwnd = nullptr;
        WindowHandler* handler = nullptr;
        bool physical = false;  // borderless: physical pixels
        int dpi = 96;       // of the geometry: 96 for borderless windows
        int font_dpi = 96;  // of the text: always the display's
        GdiObject<HFONT> default_font;
        GdiObject<HFONT> link_font;
        std::map<std::string, Control> controls;
        std::map<HWND, std::string> names;  // control window -> control name
        std::map<UINT, std::string> menu_items;
        std::map<int, std::string> hotkeys;  // hotkey identifier -> label
        bool destroy_announced = false;
    };

    static LRESULT CALLBACK window_procedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK group_procedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK message_procedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle_window_message(HWND, UINT, WPARAM, LPARAM);

    void register_classes();
    void build_controls(Window& window, const WindowDesign& design);
    HWND create_control(Window& window, Control& control, HWND parent);
    void build_menus(Window& window, const WindowDesign& design);

    std::shared_ptr<Window> find_window(WindowId id) const;
    std::shared_ptr<Window> find_window(HWND hwnd) const;
    const Control* find_control(const Window& window, const std::string& name) const;
    Control* find_control(Window& window, const std::string& name);
    HWND target(WindowId window, const std::string& control) const;
    int scale_in(const Window& window, int design) const;
    int scale_out(const Window& window, int physical) const;
    // Moves or sizes a window or control: `edit` changes its current
    // rectangle (physical pixels, relative to its parent for controls).
    void change_geometry(WindowId window, const std::string& control,
                         const std::function<void(RECT&, const Window&)>& edit);
    int read_size(WindowId window, const std::string& control, bool want_width) const;

    void on_command(Window& window, WPARAM wparam, LPARAM lparam);
    void on_mouse(WindowId window, const std::string& canvas, MouseAction action, int x, int y);
    LRESULT on_draw_item(Window& window, const DRAWITEMSTRUCT& item);
    void uncheck_other_radios(Window& window, const Control& checked);
    void announce_destruction(Window& window);
    void forget_window(HWND hwnd);

    void pump_until_destroyed(WindowId window);
    bool before_dispatch(const MSG& message);
    void run_posted_tasks();
    void on_ui_thread(const std::function<void()>& call) const;

    DWORD ui_thread_;
    HWND message_window_ = nullptr;
    std::map<WindowId, std::shared_ptr<Window>> windows_;
    std::map<HWND, WindowId> window_ids_;
    WindowId next_id_ = 1;
    int next_hotkey_ = 1;
    int loop_depth_ = 0;
    std::atomic<bool> finished_{false};

    std::mutex tasks_mutex_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace vorbel
