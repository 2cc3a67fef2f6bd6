#include "ui/win32/win32_toolkit.h"

#include <set>
#include <utility>
#include <vector>

#include "ui/win32/dpi.h"
#include "ui/win32/fonts.h"
#include "ui/win32/toolkit_parts.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/window_names.h"

namespace vorbel {

using namespace toolkit_parts;

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

}  // namespace vorbel
