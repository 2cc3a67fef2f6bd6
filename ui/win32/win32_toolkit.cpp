#include "ui/win32/win32_toolkit.h"

#include <shellapi.h>

#include <set>
#include <utility>
#include <vector>

#include "ui/win32/dpi.h"
#include "ui/win32/fonts.h"
#include "ui/win32/screenshot.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/window_names.h"

namespace vorbel {

namespace {

constexpr wchar_t window_class_name[] = L"VorbelWindow";
constexpr wchar_t group_class_name[] = L"VorbelGroup";
constexpr wchar_t message_class_name[] = L"VorbelMessages";
// 信息：
constexpr wchar_t message_box_title[] = L"\u4FE1\u606F\uFF1A";

constexpr UINT run_tasks_message = WM_APP + 1;
constexpr UINT call_message = WM_APP + 2;
constexpr UINT first_menu_id = 40001;
constexpr int first_control_id = 100;
// Hotkey identifiers of applications lie below 0xC000.
constexpr int last_hotkey_id = 0xBFFF;
constexpr COLORREF link_colour = RGB(0, 0, 255);

// A window event or task must not unwind through the system's frames.
template <typename Call>
void guarded(Call&& call) {
    try {
        call();
    } catch (...) {
    }
}

std::wstring window_text(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

// Dims a disabled picture: every other pixel goes to half brightness.
void dim(HDC dc, const RECT& area) {
    static const WORD checkerboard[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    GdiObject<HBITMAP> pattern(CreateBitmap(8, 8, 1, 1, checkerboard));
    if (!pattern) return;
    GdiObject<HBRUSH> brush(CreatePatternBrush(pattern.get()));
    if (!brush) return;
    const COLORREF old_text = SetTextColor(dc, RGB(128, 128, 128));
    const COLORREF old_back = SetBkColor(dc, RGB(255, 255, 255));
    Selection selected(dc, brush.get());
    PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0x00A000C9);  // DPa
    SetTextColor(dc, old_text);
    SetBkColor(dc, old_back);
}

// A group box's etched frame, its caption cut into the top edge.
void paint_group(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT area{};
    GetClientRect(hwnd, &area);
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT frame = area;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = window_text(hwnd);
    if (!caption.empty()) {
        RECT text_area{area.left + 8, area.top, area.right - 8, area.top + metrics.tmHeight};
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text_area,
                  DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (old_font) SelectObject(dc, old_font);
    EndPaint(hwnd, &ps);
}

}  // namespace

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

// ---------------------------------------------------------------------------
// Window procedures

LRESULT CALLBACK Win32Toolkit::window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* toolkit = reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!toolkit) return DefWindowProcW(hwnd, message, wparam, lparam);
    return toolkit->handle_window_message(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK Win32Toolkit::group_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        // The controls of a group box report to the group box; their window
        // handles them.
        return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wparam, lparam);
    case WM_SETFONT:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wparam));
        if (LOWORD(lparam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(hwnd, message, wparam, lparam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_PAINT:
        paint_group(hwnd);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

LRESULT CALLBACK Win32Toolkit::message_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* toolkit = reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (toolkit && message == run_tasks_message) {
        toolkit->run_posted_tasks();
        return 0;
    }
    if (toolkit && message == call_message) {
        const auto* call = reinterpret_cast<const std::function<void()>*>(lparam);
        guarded(*call);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT Win32Toolkit::handle_window_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    // Held for the whole message: an event may destroy the window.
    const std::shared_ptr<Window> window = find_window(hwnd);
    if (!window) return DefWindowProcW(hwnd, message, wparam, lparam);
    WindowHandler* handler = window->handler;

    switch (message) {
    case WM_SHOWWINDOW:
        if (wparam) guarded([&] { handler->shown(); });
        break;
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE) {
            const LRESULT result = DefWindowProcW(hwnd, message, wparam, lparam);
            guarded([&] { handler->activated(); });
            return result;
        }
        break;
    case WM_CLOSE:
        destroy_window(window->id);
        return 0;
    case WM_DESTROY:
        announce_destruction(*window);
        for (auto& [name, control] : window->controls) remove_window_name(control.hwnd);
        remove_window_name(hwnd);
        break;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcW(hwnd, message, wparam, lparam);
        forget_window(hwnd);
        return result;
    }
    case WM_HOTKEY: {
        auto found = window->hotkeys.find(static_cast<int>(wparam));
        if (found != window->hotkeys.end()) {
            const std::string label = found->second;
            guarded([&] { handler->feedback(label, static_cast<int>(wparam)); });
        }
        return 0;
    }
    case WM_COMMAND:
        on_command(*window, wparam, lparam);
        return 0;
    case WM_DRAWITEM:
        return on_draw_item(*window, *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    case WM_CTLCOLORSTATIC: {
        auto found = window->names.find(reinterpret_cast<HWND>(lparam));
        if (found == window->names.end()) break;
        const Control* control = find_control(*window, found->second);
        if (!control) break;
        HDC dc = reinterpret_cast<HDC>(wparam);
        if (control->design.kind == ControlKind::edit_box) {
            // Read-only edit boxes ask as static controls; results stay on white.
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        if (control->design.kind == ControlKind::hyperlink) {
            SetTextColor(dc, link_colour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    }
    case WM_SETCURSOR: {
        auto found = window->names.find(reinterpret_cast<HWND>(wparam));
        if (found != window->names.end()) {
            const Control* control = find_control(*window, found->second);
            if (control && control->design.kind == ControlKind::hyperlink) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Win32Toolkit::on_command(Window& window, WPARAM wparam, LPARAM lparam) {
    WindowHandler* handler = window.handler;
    if (lparam == 0) {
        if (HIWORD(wparam) != 0) return;  // accelerators: none defined
        auto item = window.menu_items.find(LOWORD(wparam));
        if (item == window.menu_items.end()) return;
        const std::string text = item->second;
        guarded([&] { handler->menu_selected(text); });
        return;
    }
    auto found = window.names.find(reinterpret_cast<HWND>(lparam));
    if (found == window.names.end()) return;
    const std::string name = found->second;
    Control* control = find_control(window, name);
    if (!control || HIWORD(wparam) != BN_CLICKED) return;  // STN_CLICKED has the same value

    switch (control->design.kind) {
    case ControlKind::radio_button:
        // The auto radio button checks itself; the others of its container
        // are cleared here too, whatever the order of the windows.
        SendMessageW(control->hwnd, BM_SETCHECK, BST_CHECKED, 0);
        uncheck_other_radios(window, *control);
        break;
    case ControlKind::hyperlink: {
        const std::wstring address = window_text(control->hwnd);
        if (!address.empty()) ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    }
    case ControlKind::button:
    case ControlKind::picture_button:
        break;
    default:
        return;
    }
    guarded([&] { handler->clicked(name); });
}

LRESULT Win32Toolkit::on_draw_item(Window& window, const DRAWITEMSTRUCT& item) {
    auto found = window.names.find(item.hwndItem);
    if (found == window.names.end()) return FALSE;
    const Control* control = find_control(window, found->second);
    if (!control) return FALSE;
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (control->design.kind == ControlKind::picture_button) {
        if ((item.itemState & ODS_SELECTED) != 0) OffsetRect(&area, 1, 1);  // pressed: the picture sinks
        if (control->picture) {
            control->picture->draw_stretched(dc, area);
        } else {
            DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH);
        }
        if ((item.itemState & ODS_DISABLED) != 0) dim(dc, item.rcItem);
        return TRUE;
    }
    if (control->design.kind == ControlKind::picture_box) {
        if (control->picture) control->picture->draw_stretched(dc, area);
        return TRUE;
    }
    return FALSE;
}

void Win32Toolkit::uncheck_other_radios(Window& window, const Control& checked) {
    for (auto& [name, other] : window.controls) {
        if (&other == &checked || other.design.kind != ControlKind::radio_button) continue;
        if (other.design.container != checked.design.container) continue;
        SendMessageW(other.hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void Win32Toolkit::announce_destruction(Window& window) {
    if (window.destroy_announced) return;
    window.destroy_announced = true;
    WindowHandler* handler = window.handler;
    guarded([&] { handler->will_be_destroyed(); });
}

void Win32Toolkit::forget_window(HWND hwnd) {
    auto id = window_ids_.find(hwnd);
    if (id == window_ids_.end()) return;
    windows_.erase(id->second);
    window_ids_.erase(id);
    // Wakes a message loop waiting for this window's end.
    if (message_window_) PostMessageW(message_window_, WM_NULL, 0, 0);
}

// ---------------------------------------------------------------------------
// Building windows

WindowId Win32Toolkit::load_window(const WindowDesign& design, WindowHandler& handler, bool modal) {
    WindowId result = no_window;
    on_ui_thread([&] {
        auto window = std::make_shared<Window>();
        window->id = next_id_++;
        window->handler = &handler;
        window->physical = !design.bordered;
        // Text keeps its design size everywhere; only the geometry of a
        // borderless window is physical.
        window->font_dpi = display_dpi();
        window->dpi = window->physical ? 96 : window->font_dpi;
        window->default_font = make_font(FontDesign{}, window->font_dpi);
        window->link_font = make_font(FontDesign{}, window->font_dpi, true);

        const DWORD style = design.bordered ? (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN)
                                            : (WS_POPUP | WS_CLIPCHILDREN);
        const std::wstring title = to_wide(design.title);
        HWND hwnd = CreateWindowExW(0, window_class_name, title.c_str(), style, scale_in(*window, design.left),
                                    scale_in(*window, design.top), scale_in(*window, design.width),
                                    scale_in(*window, design.height), nullptr, nullptr, GetModuleHandleW(nullptr), this);
        if (!hwnd) return;
        window->hwnd = hwnd;
        const WindowId id = window->id;
        windows_[id] = window;
        window_ids_[hwnd] = id;
        set_window_name(hwnd, to_wide(design.name));
        build_menus(*window, design);
        build_controls(*window, design);

        result = id;
        guarded([&] { handler.created(id); });
        if (!window_exists(id)) return;
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        if (modal) pump_until_destroyed(id);
    });
    return result;
}

void Win32Toolkit::build_menus(Window& window, const WindowDesign& design) {
    if (design.menus.empty()) return;
    HMENU bar = CreateMenu();
    if (!bar) return;
    UINT next_id = first_menu_id;
    for (const MenuDesign& menu : design.menus) {
        HMENU popup = CreatePopupMenu();
        if (!popup) continue;
        for (const std::string& item : menu.items) {
            const std::wstring text = to_wide(item);
            AppendMenuW(popup, MF_STRING, next_id, text.c_str());
            window.menu_items[next_id++] = item;
        }
        const std::wstring caption = to_wide(menu.caption);
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
    }
    SetMenu(window.hwnd, bar);  // destroyed with the window
}

void Win32Toolkit::build_controls(Window& window, const WindowDesign& design) {
    std::set<std::string> group_names;
    for (const ControlDesign& c : design.controls) {
        if (c.kind == ControlKind::group_box) group_names.insert(c.name);
    }
    // A control may name a group box that comes later in the design: it
    // waits for it. Containers that never appear (or contain each other)
    // leave their controls out.
    std::vector<const ControlDesign*> pending;
    for (const ControlDesign& c : design.controls) pending.push_back(&c);
    bool progress = true;
    while (!pending.empty() && progress) {
        progress = false;
        std::vector<const ControlDesign*> later;
        for (const ControlDesign* c : pending) {
            HWND parent = window.hwnd;
            if (!c->container.empty() && group_names.count(c->container) != 0) {
                const Control* container = find_control(window, c->container);
                if (!container) {
                    later.push_back(c);
                    continue;
                }
                parent = container->hwnd;
            }
            if (c->name.empty() || window.controls.count(c->name) != 0) continue;  // first of a name wins
            Control& control = window.controls[c->name];
            control.design = *c;
            if (!create_control(window, control, parent)) window.controls.erase(c->name);
            progress = true;
        }
        pending = std::move(later);
    }
}

HWND Win32Toolkit::create_control(Window& window, Control& control, HWND parent) {
    const ControlDesign& d = control.design;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (d.visible ? WS_VISIBLE : 0);
    DWORD ex_style = 0;
    const wchar_t* window_class = L"STATIC";
    switch (d.kind) {
    case ControlKind::group_box:
        window_class = group_class_name;
        break;
    case ControlKind::radio_button: {
        window_class = L"BUTTON";
        style |= BS_AUTORADIOBUTTON | WS_TABSTOP;
        bool first = true;
        for (const auto& [name, other] : window.controls) {
            if (&other != &control && other.design.kind == ControlKind::radio_button &&
                other.design.container == d.container) {
                first = false;
            }
        }
        if (first) style |= WS_GROUP;
        break;
    }
    case ControlKind::label:
        style |= SS_LEFT | SS_NOPREFIX;
        break;
    case ControlKind::button:
        window_class = L"BUTTON";
        style |= BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP;
        break;
    case ControlKind::picture_button:
        window_class = L"BUTTON";
        style |= BS_OWNERDRAW | WS_TABSTOP;
        break;
    case ControlKind::picture_box:
        style |= SS_OWNERDRAW;
        break;
    case ControlKind::hyperlink:
        style |= SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
        break;
    case ControlKind::edit_box:
        window_class = L"EDIT";
        style |= ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL;
        ex_style = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::canvas:
        window_class = Canvas::window_class();
        // A dialog frame around a sunken edge: the double 3-D border.
        ex_style = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE;
        break;
    }
    const std::wstring text = to_wide(d.text);
    const auto id = static_cast<INT_PTR>(first_control_id + window.names.size());
    HWND hwnd = CreateWindowExW(ex_style, window_class, text.c_str(), style, scale_in(window, d.left),
                                scale_in(window, d.top), scale_in(window, d.width), scale_in(window, d.height),
                                parent, reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return nullptr;
    control.hwnd = hwnd;
    window.names[hwnd] = d.name;
    set_window_name(hwnd, to_wide(d.name));
    set_window_kind(hwnd, d.kind);
    // Later controls lie above earlier ones, as in the design.
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    HFONT font = d.kind == ControlKind::hyperlink ? window.link_font.get() : window.default_font.get();
    if (d.font) {
        control.font = make_font(*d.font, window.font_dpi, d.kind == ControlKind::hyperlink);
        font = control.font.get();
    }

    switch (d.kind) {
    case ControlKind::picture_button:
    case ControlKind::picture_box:
        control.picture = Picture::from_image(d.picture);
        break;
    case ControlKind::edit_box:
        SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // no 32K cap on results
        break;
    case ControlKind::canvas: {
        control.canvas = std::make_unique<Canvas>(hwnd);
        control.canvas->on_mouse = [this, id = window.id, name = d.name](MouseAction action, int x, int y) {
            on_mouse(id, name, action, x, y);
        };
        break;
    }
    default:
        break;
    }
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

void Win32Toolkit::on_mouse(WindowId id, const std::string& canvas, MouseAction action, int x, int y) {
    const std::shared_ptr<Window> window = find_window(id);
    if (!window) return;
    WindowHandler* handler = window->handler;
    guarded([&] {
        switch (action) {
        case MouseAction::pressed:
            handler->mouse_pressed(canvas, x, y);
            break;
        case MouseAction::moved:
            handler->mouse_moved(canvas, x, y);
            break;
        case MouseAction::released:
            handler->mouse_released(canvas, x, y);
            break;
        }
    });
}

// ---------------------------------------------------------------------------
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
        if (hwnd) EnableWindow(hwnd, enabled ? TRUE : FALSE);
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

// ---------------------------------------------------------------------------
// Windows' end, message loops, posted tasks

void Win32Toolkit::destroy_window(WindowId id) {
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        if (!window) return;
        announce_destruction(*window);
        if (IsWindow(window->hwnd)) DestroyWindow(window->hwnd);
    });
}

bool Win32Toolkit::before_dispatch(const MSG& message) {
    if (message.message != WM_KEYDOWN || !message.hwnd) return false;
    // Keys reach the focused control; the window it sits in hears of them.
    const std::shared_ptr<Window> window = find_window(GetAncestor(message.hwnd, GA_ROOT));
    if (!window) return false;
    WindowHandler* handler = window->handler;
    guarded([&] { handler->key_pressed(static_cast<int>(message.wParam)); });
    return false;
}

void Win32Toolkit::pump_until_destroyed(WindowId window) {
    MSG message;
    while (windows_.count(window) != 0) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the loop around this one
            return;
        }
        if (got == -1) return;
        if (before_dispatch(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Toolkit::run_message_loop(WindowId window) {
    on_ui_thread([&] {
        ++loop_depth_;
        pump_until_destroyed(window);
        if (--loop_depth_ == 0) {
            finished_ = true;
            std::lock_guard<std::mutex> lock(tasks_mutex_);
            tasks_.clear();
        }
    });
}

void Win32Toolkit::run_pending_events() {
    on_ui_thread([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            if (before_dispatch(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    });
}

void Win32Toolkit::post(std::function<void()> task) {
    if (!task) return;
    {
        std::lock_guard<std::mutex> lock(tasks_mutex_);
        if (finished_) return;
        tasks_.push_back(std::move(task));
    }
    // A full message queue only delays the task: the next wake-up runs every
    // task queued so far.
    PostMessageW(message_window_, run_tasks_message, 0, 0);
}

void Win32Toolkit::run_posted_tasks() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(tasks_mutex_);
            if (tasks_.empty() || finished_) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        guarded(task);
    }
}

void Win32Toolkit::on_ui_thread(const std::function<void()>& call) const {
    if (GetCurrentThreadId() == ui_thread_) {
        call();
        return;
    }
    if (finished_ || !message_window_) return;
    SendMessageW(message_window_, call_message, 0, reinterpret_cast<LPARAM>(&call));
}

}  // namespace vorbel
