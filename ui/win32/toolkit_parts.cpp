#include "ui/win32/toolkit_parts.h"

#include "ui/win32/gdi_handles.h"

namespace vorbel::toolkit_parts {

std::wstring window_text(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

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

}  // namespace vorbel::toolkit_parts
