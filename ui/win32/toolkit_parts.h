// Pieces shared by the files of the Win32 toolkit: its window classes,
// private messages, and small drawing and safety helpers.
#pragma once

#include <windows.h>

#include <string>

namespace vorbel::toolkit_parts {

inline constexpr wchar_t window_class_name[] = L"VorbelWindow";
inline constexpr wchar_t group_class_name[] = L"VorbelGroup";
inline constexpr wchar_t message_class_name[] = L"VorbelMessages";
// 信息：
inline constexpr wchar_t message_box_title[] = L"\u4FE1\u606F\uFF1A";

inline constexpr UINT run_tasks_message = WM_APP + 1;
inline constexpr UINT call_message = WM_APP + 2;
inline constexpr UINT first_menu_id = 40001;
inline constexpr int first_control_id = 100;
// Hotkey identifiers of applications lie below 0xC000.
inline constexpr int last_hotkey_id = 0xBFFF;
inline constexpr COLORREF link_colour = RGB(0, 0, 255);

// A window event or task must not unwind through the system's frames.
template <typename Call>
void guarded(Call&& call) {
    try {
        call();
    } catch (...) {
    }
}

// A window's text as the window keeps it.
std::wstring window_text(HWND window);
// Dims a disabled picture: every other pixel goes to half brightness.
void dim(HDC dc, const RECT& area);
// A group box's etched frame, its caption cut into the top edge.
void paint_group(HWND hwnd);

}  // namespace vorbel::toolkit_parts
