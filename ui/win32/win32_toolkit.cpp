#include "ui/win32/win32_toolkit.h"

#include <vector>

#include "ui/win32/dpi.h"
#include "ui/win32/screenshot.h"
#include "ui/win32/toolkit_parts.h"
#include "ui/win32/wide_text.h"

namespace vorbel {

using namespace toolkit_parts;

Win32Toolkit::Win32Toolkit() : ui_thread_(GetCurrentThreadId()) {
    make_process_dpi_aware();
    register_classes();
    message_window_ = CreateWindowExW(0, message_class_name, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), this);
}

Win32Toolkit::~Win32Toolkit() {
    finished_ = true;
    // Windows still open go without their events: their handlers may be
    // gone already.
    std::vector<HWND> open;
    for (auto& [id, window] : windows_) {
        window->destroy_announced = true;
        open.push_back(window->hwnd);
    }
    for (HWND hwnd : open) {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    if (message_window_) DestroyWindow(message_window_);
}

void Win32Toolkit::register_classes() {
    static const bool registered = [] {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));

        wc.lpfnWndProc = window_procedure;
        wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        wc.lpszClassName = window_class_name;
        RegisterClassExW(&wc);

        wc.lpfnWndProc = group_procedure;
        wc.hIcon = nullptr;
        wc.lpszClassName = group_class_name;
        RegisterClassExW(&wc);

        wc.lpfnWndProc = message_procedure;
        wc.hbrBackground = nullptr;
        wc.lpszClassName = message_class_name;
        RegisterClassExW(&wc);
        Canvas::window_class();
        return true;
    }();
    (void)registered;
}

// Lookup

std::shared_ptr<Win32Toolkit::Window> Win32Toolkit::find_window(WindowId id) const {
    auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : found->second;
}

std::shared_ptr<Win32Toolkit::Window> Win32Toolkit::find_window(HWND hwnd) const {
    auto found = window_ids_.find(hwnd);
    return found == window_ids_.end() ? nullptr : find_window(found->second);
}

const Win32Toolkit::Control* Win32Toolkit::find_control(const Window& window, const std::string& name) const {
    auto found = window.controls.find(name);
    return found == window.controls.end() ? nullptr : &found->second;
}

Win32Toolkit::Control* Win32Toolkit::find_control(Window& window, const std::string& name) {
    auto found = window.controls.find(name);
    return found == window.controls.end() ? nullptr : &found->second;
}

HWND Win32Toolkit::target(WindowId id, const std::string& control) const {
    const std::shared_ptr<Window> window = find_window(id);
    if (!window) return nullptr;
    if (control.empty()) return window->hwnd;
    const Control* c = find_control(*window, control);
    return c ? c->hwnd : nullptr;
}

HWND Win32Toolkit::native_handle(WindowId window, const std::string& control) const { return target(window, control); }

int Win32Toolkit::scale_in(const Window& window, int design) const {
    return window.physical ? design : design_to_physical(design, window.dpi);
}

int Win32Toolkit::scale_out(const Window& window, int physical) const {
    return window.physical ? physical : physical_to_design(physical, window.dpi);
}

bool Win32Toolkit::window_exists(WindowId window) const {
    bool exists = false;
    on_ui_thread([&] { exists = windows_.count(window) != 0; });
    return exists;
}

// ---------------------------------------------------------------------------
// Geometry, visibility, state

void Win32Toolkit::change_geometry(WindowId id, const std::string& control,
                                   const std::function<void(RECT&, const Window&)>& edit) {
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        HWND hwnd = target(id, control);
        if (!window || !hwnd) return;
        RECT r{};
        GetWindowRect(hwnd, &r);
        if (!control.empty()) MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        edit(r, *window);
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

void Win32Toolkit::set_left(WindowId window, const std::string& control, int value) {
    change_geometry(window, control, [&](RECT& r, const Window& w) {
        const int left = scale_in(w, value);
        r.right += left - r.left;
        r.left = left;
    });
}

void Win32Toolkit::set_top(WindowId window, const std::string& control, int value) {
    change_geometry(window, control, [&](RECT& r, const Window& w) {
        const int top = scale_in(w, value);
        r.bottom += top - r.top;
        r.top = top;
    });
}

void Win32Toolkit::set_width(WindowId window, const std::string& control, int value) {
    change_geometry(window, control, [&](RECT& r, const Window& w) { r.right = r.left + scale_in(w, value); });
}

void Win32Toolkit::set_height(WindowId window, const std::string& control, int value) {
    change_geometry(window, control, [&](RECT& r, const Window& w) { r.bottom = r.top + scale_in(w, value); });
}

int Win32Toolkit::read_size(WindowId id, const std::string& control, bool want_width) const {
    int size = 0;
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        HWND hwnd = target(id, control);
        if (!window || !hwnd) return;
        RECT r{};
        GetWindowRect(hwnd, &r);
        size = scale_out(*window, want_width ? r.right - r.left : r.bottom - r.top);
    });
    return size;
}

int Win32Toolkit::width(WindowId window, const std::string& control) const { return read_size(window, control, true); }

int Win32Toolkit::height(WindowId window, const std::string& control) const {
    return read_size(window, control, false);
}

void Win32Toolkit::set_visible(WindowId window, const std::string& control, bool visible) {
    on_ui_thread([&] {
        HWND hwnd = target(window, control);
        if (hwnd) ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
    });
}

bool Win32Toolkit::visible(WindowId window, const std::string& control) const {
    bool result = false;
    on_ui_thread([&] {
        HWND hwnd = target(window, control);
        if (!hwnd) return;
        // A window counts as visible when it shows; a control when it is not
        // hidden itself, whatever its window does.
        result = control.empty() ? IsWindowVisible(hwnd) != FALSE : (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    });
    return result;
}

void Win32Toolkit::set_enabled(WindowId window, const std::string& control, bool enabled) {
    on_ui_thread([&] {
        HWND hwnd = target(window, control);
        if (!hwnd) return;
        // A control that loses its enabled state while it has the keyboard
        // focus leaves the focus nowhere, and keys (Escape in the capture
        // window) would no longer reach the window: hand it to the window.
        const bool had_focus = !enabled && GetFocus() == hwnd;
        EnableWindow(hwnd, enabled ? TRUE : FALSE);
        if (had_focus) SetFocus(GetAncestor(hwnd, GA_ROOT));
    });
}

bool Win32Toolkit::enabled(WindowId window, const std::string& control) const {
    bool result = false;
    on_ui_thread([&] {
        HWND hwnd = target(window, control);
        result = hwnd && IsWindowEnabled(hwnd);
    });
    return result;
}

void Win32Toolkit::set_text(WindowId id, const std::string& control, const std::string& text) {
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        HWND hwnd = target(id, control);
        if (!window || !hwnd) return;
        const std::wstring wide = to_wide(text);
        SetWindowTextW(hwnd, wide.c_str());
    });
}

std::string Win32Toolkit::text(WindowId window, const std::string& control) const {
    std::string result;
    on_ui_thread([&] {
        HWND hwnd = target(window, control);
        if (hwnd) result = from_wide(window_text(hwnd));
    });
    return result;
}

void Win32Toolkit::append_text(WindowId id, const std::string& control, const std::string& text) {
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        if (!window) return;
        const Control* c = find_control(*window, control);
        if (!c) return;
        const std::wstring wide = to_wide(text);
        if (c->design.kind != ControlKind::edit_box) {
            const std::wstring whole = window_text(c->hwnd) + wide;
            SetWindowTextW(c->hwnd, whole.c_str());
            return;
        }
        const int end = GetWindowTextLengthW(c->hwnd);
        SendMessageW(c->hwnd, EM_SETSEL, end, end);
        SendMessageW(c->hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(c->hwnd, EM_SCROLLCARET, 0, 0);
    });
}

void Win32Toolkit::set_checked(WindowId id, const std::string& control, bool checked) {
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        if (!window) return;
        Control* c = find_control(*window, control);
        if (!c || (c->design.kind != ControlKind::radio_button)) return;
        SendMessageW(c->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (checked) uncheck_other_radios(*window, *c);
    });
}

bool Win32Toolkit::checked(WindowId id, const std::string& control) const {
    bool result = false;
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        if (!window) return;
        const Control* c = find_control(*window, control);
        if (c && c->design.kind == ControlKind::radio_button) {
            result = SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        }
    });
    return result;
}

// ---------------------------------------------------------------------------
// Canvas

namespace {
template <typename Window, typename Call>
void with_canvas(const std::shared_ptr<Window>& window, const std::string& name, Call&& call) {
    if (!window) return;
    auto found = window->controls.find(name);
    if (found != window->controls.end() && found->second.canvas) call(*found->second.canvas);
}
}  // namespace

void Win32Toolkit::set_canvas_picture(WindowId window, const std::string& canvas, std::string bmp) {
    on_ui_thread([&] { with_canvas(find_window(window), canvas, [&](Canvas& c) { c.set_picture(std::move(bmp)); }); });
}

std::string Win32Toolkit::canvas_picture(WindowId window, const std::string& canvas) const {
    std::string result;
    on_ui_thread([&] { with_canvas(find_window(window), canvas, [&](Canvas& c) { result = c.picture(); }); });
    return result;
}

void Win32Toolkit::clear_canvas(WindowId window, const std::string& canvas) {
    on_ui_thread([&] { with_canvas(find_window(window), canvas, [&](Canvas& c) { c.clear(); }); });
}

void Win32Toolkit::set_pen(WindowId window, const std::string& canvas, int width, std::uint32_t colour_bgr) {
    on_ui_thread([&] { with_canvas(find_window(window), canvas, [&](Canvas& c) { c.set_pen(width, colour_bgr); }); });
}

void Win32Toolkit::draw_line(WindowId window, const std::string& canvas, int x1, int y1, int x2, int y2) {
    on_ui_thread([&] { with_canvas(find_window(window), canvas, [&](Canvas& c) { c.draw_line(x1, y1, x2, y2); }); });
}

// ---------------------------------------------------------------------------
// Window placement, hotkey, message box, screen

void Win32Toolkit::centre_window(WindowId window) {
    on_ui_thread([&] {
        HWND hwnd = target(window, "");
        if (!hwnd || !IsWindowVisible(hwnd)) return;  // a minimized window is visible too
        if (IsIconic(hwnd)) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        // Leaving the maximized state has no non-activating form.
        if (IsZoomed(hwnd)) ShowWindow(hwnd, SW_RESTORE);
        RECT r{};
        GetWindowRect(hwnd, &r);
        const int left = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
        const int top = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
        SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

void Win32Toolkit::set_topmost(WindowId window, bool topmost) {
    on_ui_thread([&] {
        HWND hwnd = target(window, "");
        if (hwnd) {
            SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    });
}

int Win32Toolkit::register_hotkey(WindowId id, const std::string& label, int key) {
    int result = 0;
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        if (!window || next_hotkey_ > last_hotkey_id) return;
        const int hotkey = next_hotkey_++;
        if (!RegisterHotKey(window->hwnd, hotkey, 0, static_cast<UINT>(key))) return;
        window->hotkeys[hotkey] = label;
        result = hotkey;
    });
    return result;
}

void Win32Toolkit::message_box(const std::string& text) {
    const std::wstring wide = to_wide(text);
    MessageBoxW(nullptr, wide.c_str(), message_box_title, MB_OK | MB_TASKMODAL);
}

int Win32Toolkit::screen_width() const { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Toolkit::screen_height() const { return GetSystemMetrics(SM_CYSCREEN); }
std::string Win32Toolkit::screenshot() { return capture_screen_bmp(); }

}  // namespace vorbel
