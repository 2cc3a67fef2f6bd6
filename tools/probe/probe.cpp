// probe: reads the state of the program's windows from outside, for the
// end-to-end tests. Prints one JSON document (UTF-8) on standard output.
//
//   probe windows                       top-level windows carrying a name
//   probe controls <name or title>      the named controls of one window: outer
//                                       rectangle on the screen and in the window's
//                                       client area, inner area on the screen
//   probe wait-window <title> [seconds] exit 0 once a visible window has that title
//   probe message-box                   the open message box titled 信息：
//   probe close-message-box             presses its OK button
//   probe press <window> <control>      clicks a button as the mouse would
//   probe close <window>                asks a window to close (its close box)
//   probe screenshot <file.bmp>         the primary screen as a 24-bit BMP file
//   probe attributes <file>             GetFileAttributesW of a file
//
// Exit status: 0 done, 1 not found or failed, 2 bad arguments.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "json_writer.h"
#include "ui/win32/screenshot.h"
#include "ui/win32/window_names.h"

namespace vorbel::probe {
namespace {

constexpr wchar_t message_box_title[] = L"\u4FE1\u606F\uFF1A";  // 信息：
constexpr UINT reply_timeout_ms = 3000;
constexpr int message_box_text_id = 0xFFFF;

void print(const std::string& text) {
    DWORD written = 0;
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    WriteFile(out, "\n", 1, &written, nullptr);
}

std::wstring class_of(HWND window) {
    wchar_t name[256];
    const int n = GetClassNameW(window, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

// Asks the window itself, so edit boxes and other processes' controls give
// their real content (the system carries WM_GETTEXT across processes).
std::wstring text_of(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, reply_timeout_ms, &length)) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             reply_timeout_ms, &got)) {
        return {};
    }
    text.resize(got <= length ? static_cast<std::size_t>(got) : static_cast<std::size_t>(length));
    return text;
}

// A top-level window's title as the system keeps it: never waits for the
// window's owner, which may be busy or hung.
std::wstring title_of(HWND window) {
    wchar_t title[512];
    const int n = GetWindowTextW(window, title, 512);
    return std::wstring(title, n > 0 ? n : 0);
}

std::string rect_json(const RECT& r) {
    char out[160];
    std::snprintf(out, sizeof out, "{\"left\": %ld, \"top\": %ld, \"width\": %ld, \"height\": %ld}", r.left, r.top,
                  r.right - r.left, r.bottom - r.top);
    return out;
}

std::string flag(bool value) { return value ? "true" : "false"; }

std::vector<HWND> top_level_windows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A named window of the program by its name, else by its title.
HWND find_program_window(const std::wstring& name_or_title) {
    HWND by_title = nullptr;
    for (HWND window : top_level_windows()) {
        const std::wstring name = window_name(window);
        if (name.empty()) continue;
        if (name == name_or_title) return window;
        if (!by_title && title_of(window) == name_or_title) by_title = window;
    }
    return by_title;
}

HWND find_control(HWND window, const std::wstring& name) {
    for (HWND child : descendants(window)) {
        if (window_name(child) == name) return child;
    }
    return nullptr;
}

HWND find_message_box() {
    for (HWND window : top_level_windows()) {
        if (IsWindowVisible(window) && class_of(window) == L"#32770" && title_of(window) == message_box_title) {
            return window;
        }
    }
    return nullptr;
}

int list_windows() {
    std::string out = "[";
    bool first = true;
    for (HWND window : top_level_windows()) {
        const std::wstring name = window_name(window);
        if (name.empty()) continue;
        RECT r{};
        GetWindowRect(window, &r);
        out += first ? "\n" : ",\n";
        first = false;
        out += "  {\"name\": " + json_string(to_utf8(name)) + ", \"title\": " + json_string(to_utf8(title_of(window))) +
               ", \"class\": " + json_string(to_utf8(class_of(window))) +
               ", \"visible\": " + flag(IsWindowVisible(window)) + ", \"minimized\": " + flag(IsIconic(window)) +
               ", \"enabled\": " + flag(IsWindowEnabled(window)) + ", \"rect\": " + rect_json(r) + "}";
    }
    out += "\n]";
    print(out);
    return 0;
}

int list_controls(const std::wstring& name_or_title) {
    HWND window = find_program_window(name_or_title);
    if (!window) {
        print("null");
        return 1;
    }
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::string out = "[";
    bool first = true;
    for (HWND child : descendants(window)) {
        const std::wstring name = window_name(child);
        if (name.empty()) continue;
        RECT screen{};
        GetWindowRect(child, &screen);
        RECT client = screen;
        OffsetRect(&client, -origin.x, -origin.y);
        // The control's own inner area on the screen: where a canvas's
        // coordinate 0, 0 lies, inside its border.
        RECT inner{};
        GetClientRect(child, &inner);
        MapWindowPoints(child, HWND_DESKTOP, reinterpret_cast<POINT*>(&inner), 2);
        const std::wstring window_class = class_of(child);
        bool checked = false;
        if (_wcsicmp(window_class.c_str(), L"Button") == 0) {
            DWORD_PTR state = 0;
            SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, reply_timeout_ms, &state);
            checked = state == BST_CHECKED;
        }
        out += first ? "\n" : ",\n";
        first = false;
        out += "  {\"name\": " + json_string(to_utf8(name)) + ", \"kind\": " + json_string(window_kind_name(child)) +
               ", \"class\": " + json_string(to_utf8(window_class)) + ", \"text\": " + json_string(to_utf8(text_of(child))) +
               ", \"visible\": " + flag(IsWindowVisible(child)) + ", \"enabled\": " + flag(IsWindowEnabled(child)) +
               ", \"checked\": " + flag(checked) + ", \"screen\": " + rect_json(screen) +
               ", \"client\": " + rect_json(client) + ", \"inner\": " + rect_json(inner) + "}";
    }
    out += "\n]";
    print(out);
    return 0;
}

int wait_window(const std::wstring& title, double seconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        for (HWND window : top_level_windows()) {
            if (IsWindowVisible(window) && title_of(window) == title) return 0;
        }
        if (GetTickCount64() >= deadline) return 1;
        Sleep(100);
    }
}

int message_box() {
    HWND box = find_message_box();
    if (!box) {
        print("null");
        return 1;
    }
    HWND text = GetDlgItem(box, message_box_text_id);
    print("{\"title\": " + json_string(to_utf8(title_of(box))) + ", \"text\": " +
          json_string(to_utf8(text ? text_of(text) : std::wstring())) + "}");
    return 0;
}

int close_message_box() {
    HWND box = find_message_box();
    if (!box) return 1;
    return PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) ? 0 : 1;
}

int press(const std::wstring& window_name_or_title, const std::wstring& control) {
    HWND window = find_program_window(window_name_or_title);
    HWND button = window ? find_control(window, control) : nullptr;
    if (!button) return 1;
    return PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
}

int close(const std::wstring& name_or_title) {
    HWND window = find_program_window(name_or_title);
    if (!window) return 1;
    return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int screenshot(const std::wstring& file) {
    const std::string image = capture_screen_bmp();
    if (image.empty()) return 1;
    HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(out, image.data(), static_cast<DWORD>(image.size()), &written, nullptr);
    CloseHandle(out);
    return ok && written == image.size() ? 0 : 1;
}

int attributes(const std::wstring& file) {
    const DWORD value = GetFileAttributesW(file.c_str());
    if (value == INVALID_FILE_ATTRIBUTES) {
        print("null");
        return 1;
    }
    char out[200];
    std::snprintf(out, sizeof out,
                  "{\"value\": %lu, \"hidden\": %s, \"readonly\": %s, \"system\": %s, \"archive\": %s, \"normal\": %s}",
                  static_cast<unsigned long>(value), flag(value & FILE_ATTRIBUTE_HIDDEN).c_str(),
                  flag(value & FILE_ATTRIBUTE_READONLY).c_str(), flag(value & FILE_ATTRIBUTE_SYSTEM).c_str(),
                  flag(value & FILE_ATTRIBUTE_ARCHIVE).c_str(), flag(value & FILE_ATTRIBUTE_NORMAL).c_str());
    print(out);
    return 0;
}

int usage() {
    std::fputs("usage: probe windows | controls <window> | wait-window <title> [seconds] | message-box |\n"
               "       close-message-box | press <window> <control> | close <window> |\n"
               "       screenshot <file.bmp> | attributes <file>\n",
               stderr);
    return 2;
}

int run(const std::vector<std::wstring>& args) {
    if (args.size() < 2) return usage();
    const std::wstring& command = args[1];
    const std::size_t extra = args.size() - 2;
    if (command == L"windows" && extra == 0) return list_windows();
    if (command == L"controls" && extra == 1) return list_controls(args[2]);
    if (command == L"wait-window" && (extra == 1 || extra == 2)) {
        const double seconds = extra == 2 ? _wtof(args[3].c_str()) : 10.0;
        return wait_window(args[2], seconds > 0 ? seconds : 0);
    }
    if (command == L"message-box" && extra == 0) return message_box();
    if (command == L"close-message-box" && extra == 0) return close_message_box();
    if (command == L"press" && extra == 2) return press(args[2], args[3]);
    if (command == L"close" && extra == 1) return close(args[2]);
    if (command == L"screenshot" && extra == 1) return screenshot(args[2]);
    if (command == L"attributes" && extra == 1) return attributes(args[2]);
    return usage();
}

}  // namespace
}  // namespace vorbel::probe

int main() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 0; argv && i < count; ++i) args.emplace_back(argv[i]);
    if (argv) LocalFree(argv);
    return vorbel::probe::run(args);
}
