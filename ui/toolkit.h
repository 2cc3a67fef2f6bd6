// The window toolkit as the windows of the program see it.
//
// Window designs are plain data (WindowDesign); a window's behaviour is a
// WindowHandler whose events are called on the user-interface thread. The
// handler only talks to the toolkit through this interface, so every window's
// logic runs unchanged against the Win32 implementation and against the fake
// used by the tests.
//
// All texts are code page 936 byte strings. Implementations convert them at
// their own boundary.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorbel {

enum class ControlKind {
    group_box,       // frame; with or without caption
    radio_button,    // radio buttons sharing a container exclude each other
    label,
    button,
    picture_button,  // button showing `picture` instead of text
    picture_box,     // shows `picture` (BMP or JPEG bytes)
    hyperlink,       // shows `text`; a click opens it in the default browser
    edit_box,        // multi-line, read-only for the user, vertical scroll bar
    canvas,          // background picture, pen lines, mouse events
};

struct FontDesign {
    std::string face;  // empty: the toolkit's default face
    int height = 0;    // character height in design pixels
    bool bold = false;
};

struct ControlDesign {
    std::string name;
    ControlKind kind = ControlKind::label;
    std::string container;  // empty: the window itself; else a group box's name
    int left = 0, top = 0, width = 0, height = 0;
    std::string text;
    std::optional<FontDesign> font;
    bool visible = true;
    std::string picture;  // image file bytes for picture boxes and buttons
};

// A visible control without text, font or picture; the rest is filled in
// by the window's design where needed.
inline ControlDesign control_design(std::string name, ControlKind kind, std::string container, int left, int top,
                                    int width, int height) {
    ControlDesign design;
    design.name = std::move(name);
    design.kind = kind;
    design.container = std::move(container);
    design.left = left;
    design.top = top;
    design.width = width;
    design.height = height;
    return design;
}

struct MenuDesign {
    std::string caption;
    std::vector<std::string> items;
};

struct WindowDesign {
    std::string name;   // the window's own name, e.g. "main_window"
    std::string title;
    int left = 0, top = 0, width = 0, height = 0;  // outer rectangle
    bool bordered = true;  // false: no border, no title bar
    std::vector<MenuDesign> menus;
    std::vector<ControlDesign> controls;
};

// A bordered window without menus or controls; the rest is filled in by the
// window's design.
inline WindowDesign window_design(std::string name, std::string title, int left, int top, int width, int height) {
    WindowDesign design;
    design.name = std::move(name);
    design.title = std::move(title);
    design.left = left;
    design.top = top;
    design.width = width;
    design.height = height;
    return design;
}

// Window identifiers are never reused within a run, so a stale identifier
// simply refers to no window.
using WindowId = std::int64_t;
inline constexpr WindowId no_window = 0;

// Events of one window. Every event runs on the user-interface thread.
class WindowHandler {
public:
    virtual ~WindowHandler() = default;
    // Runs once, before the window first shows; `self` is its identifier.
    virtual void created(WindowId self) { (void)self; }
    virtual void shown() {}      // each time the window becomes visible
    virtual void activated() {}  // each time it becomes the active window
    virtual void will_be_destroyed() {}
    virtual void clicked(const std::string& control) { (void)control; }
    virtual void menu_selected(const std::string& item) { (void)item; }
    virtual void mouse_pressed(const std::string& control, int x, int y) { (void)control, (void)x, (void)y; }
    virtual void mouse_moved(const std::string& control, int x, int y) { (void)control, (void)x, (void)y; }
    virtual void mouse_released(const std::string& control, int x, int y) { (void)control, (void)x, (void)y; }
    // A label's feedback event; the hotkey arrives this way.
    virtual void feedback(const std::string& control, int value) { (void)control, (void)value; }
    // A key pressed while the window is active; virtual-key code.
    virtual void key_pressed(int key) { (void)key; }
};

inline constexpr int key_escape = 0x1B;
inline constexpr int key_f = 0x46;

// Control address: a window and a control name; an empty control name means
// the window itself. Operations on a window or control that does not exist do
// nothing and read back as zero or empty.
class Toolkit {
public:
    virtual ~Toolkit() = default;

    // Creates the window from `design` and runs its created event before it
    // first shows. Modal: returns when the window has closed. The toolkit
    // does not own `handler`; it must outlive the window.
    virtual WindowId load_window(const WindowDesign& design, WindowHandler& handler, bool modal) = 0;
    // Runs the will-be-destroyed event, then destroys the window.
    virtual void destroy_window(WindowId window) = 0;
    virtual bool window_exists(WindowId window) const = 0;

    // Geometry in design pixels for windows and controls (the toolkit scales
    // by the display's DPI), except for windows and canvases that work in
    // physical pixels (a borderless full-screen window and its canvas).
    virtual void set_left(WindowId window, const std::string& control, int value) = 0;
    virtual void set_top(WindowId window, const std::string& control, int value) = 0;
    virtual void set_width(WindowId window, const std::string& control, int value) = 0;
    virtual void set_height(WindowId window, const std::string& control, int value) = 0;
    virtual int width(WindowId window, const std::string& control) const = 0;
    virtual int height(WindowId window, const std::string& control) const = 0;

    virtual void set_visible(WindowId window, const std::string& control, bool visible) = 0;
    virtual bool visible(WindowId window, const std::string& control) const = 0;
    virtual void set_enabled(WindowId window, const std::string& control, bool enabled) = 0;
    virtual bool enabled(WindowId window, const std::string& control) const = 0;

    // A label's caption or an edit box's whole content.
    virtual void set_text(WindowId window, const std::string& control, const std::string& text) = 0;
    virtual std::string text(WindowId window, const std::string& control) const = 0;
    // Adds `text` at the end of an edit box and scrolls it into view.
    virtual void append_text(WindowId window, const std::string& control, const std::string& text) = 0;

    virtual void set_checked(WindowId window, const std::string& control, bool checked) = 0;
    virtual bool checked(WindowId window, const std::string& control) const = 0;

    // Canvas. The background picture is a BMP file image drawn at natural
    // size from the inner top-left corner; lines go on the surface only.
    virtual void set_canvas_picture(WindowId window, const std::string& canvas, std::string bmp) = 0;
    virtual std::string canvas_picture(WindowId window, const std::string& canvas) const = 0;
    virtual void clear_canvas(WindowId window, const std::string& canvas) = 0;
    virtual void set_pen(WindowId window, const std::string& canvas, int width, std::uint32_t colour_bgr) = 0;
    virtual void draw_line(WindowId window, const std::string& canvas, int x1, int y1, int x2, int y2) = 0;

    // main_window's hotkey behaviour: restore and centre on the primary
    // screen without activating; always-on-top on and off.
    virtual void centre_window(WindowId window) = 0;
    virtual void set_topmost(WindowId window, bool topmost) = 0;
    // Lets pending window events run; returns when none is left.
    virtual void run_pending_events() = 0;

    // Registers the system-wide hotkey `key` without modifiers; its presses
    // arrive as the feedback event of `label` in `window`, carrying the
    // returned identifier. Returns 0 when the key cannot be registered.
    virtual int register_hotkey(WindowId window, const std::string& label, int key) = 0;

    // OK only, no icon, title "信息：", no owner, task-modal. Blocks the
    // calling thread (any thread) until the user closes it.
    virtual void message_box(const std::string& text) = 0;

    // Primary screen size in physical pixels. Safe from any thread.
    virtual int screen_width() const = 0;
    virtual int screen_height() const = 0;
    // The whole primary screen as a 24-bit bottom-up BMP file image.
    virtual std::string screenshot() = 0;

    // Runs `task` on the user-interface thread after every task posted
    // before it, in posting order. Safe from any thread. Tasks posted after
    // the message loop has ended never run.
    virtual void post(std::function<void()> task) = 0;

    // Runs window events and posted tasks until `window` has been destroyed.
    virtual void run_message_loop(WindowId window) = 0;
};

}  // namespace vorbel
