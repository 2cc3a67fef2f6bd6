// Names of the program's windows and controls, readable from other
// processes: each carries a window property holding a global atom of its
// name, and one holding its kind. The probe used by the end-to-end tests
// reads them with GetPropW and GlobalGetAtomNameW.
#pragma once

#include <windows.h>

#include <string>

#include "ui/toolkit.h"

namespace vorbel {

inline constexpr wchar_t window_name_property[] = L"VorbelName";
inline constexpr wchar_t window_kind_property[] = L"VorbelKind";

// Tags `window` with `name` (and, for controls, `kind`). False when the
// atom table or the property list refused it.
bool set_window_name(HWND window, const std::wstring& name);
void set_window_kind(HWND window, ControlKind kind);
// The name `window` carries; empty when none. Works for any process's window.
std::wstring window_name(HWND window);
// "window" for a top-level window without a kind, else the kind's name as
// written in code ("group_box", "canvas", ...).
const char* window_kind_name(HWND window);
// Takes the name and kind off again and releases the atom.
void remove_window_name(HWND window);

}  // namespace vorbel
