#include "ui/win32/win32_toolkit.h"

#include <shellapi.h>

#include <string>

#include "ui/win32/toolkit_parts.h"
#include "ui/win32/window_names.h"

namespace vorbel {

using namespace toolkit_parts;

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

}  // namespace vorbel
