#include "ui/win32/window_names.h"

#include <iterator>

namespace vorbel {

namespace {
// The kind is stored plus one, so that "no property" (0) stays distinct.
constexpr const char* kind_names[] = {
    "group_box", "radio_button", "label", "button", "picture_button",
    "picture_box", "hyperlink", "edit_box", "canvas",
};
}  // namespace

bool set_window_name(HWND window, const std::wstring& name) {
    if (name.empty()) return false;
    const ATOM atom = GlobalAddAtomW(name.c_str());
    if (atom == 0) return false;
    if (!SetPropW(window, window_name_property, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom)))) {
        GlobalDeleteAtom(atom);
        return false;
    }
    return true;
}

void set_window_kind(HWND window, ControlKind kind) {
    SetPropW(window, window_kind_property,
             reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(static_cast<int>(kind) + 1)));
}

std::wstring window_name(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(window, window_name_property)));
    if (atom == 0) return {};
    wchar_t buffer[256];
    const UINT n = GlobalGetAtomNameW(atom, buffer, 256);
    return std::wstring(buffer, n);
}

const char* window_kind_name(HWND window) {
    const auto stored = reinterpret_cast<ULONG_PTR>(GetPropW(window, window_kind_property));
    if (stored == 0 || stored > std::size(kind_names)) return "window";
    return kind_names[stored - 1];
}

void remove_window_name(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropW(window, window_name_property)));
    if (atom != 0) GlobalDeleteAtom(atom);
    RemovePropW(window, window_kind_property);
}

}  // namespace vorbel
