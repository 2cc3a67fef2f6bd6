#include "ui/win32/canvas.h"

#include <windowsx.h>

#include <algorithm>

namespace vorbel {

namespace {

constexpr wchar_t canvas_class_name[] = L"VorbelCanvas";

LRESULT CALLBACK canvas_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* canvas = reinterpret_cast<Canvas*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (canvas) return canvas->handle(message, wparam, lparam);
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, wparam, lparam);
}

GdiObject<HRGN> empty_region() { return GdiObject<HRGN>(CreateRectRgn(0, 0, 0, 0)); }

}  // namespace

const wchar_t* Canvas::window_class() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = canvas_procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = nullptr;  // the surface paints everything
        wc.lpszClassName = canvas_class_name;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
    return canvas_class_name;
}

Canvas::Canvas(HWND window) : window_(window), pen_(CreatePen(PS_SOLID, 0, RGB(0, 0, 0))), lines_region_(empty_region()) {
    if (surface_dc_) original_bitmap_ = GetCurrentObject(surface_dc_.get(), OBJ_BITMAP);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    rebuild_surface();
}

Canvas::~Canvas() {
    if (IsWindow(window_)) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    if (surface_dc_ && original_bitmap_) SelectObject(surface_dc_.get(), original_bitmap_);
}

void Canvas::paint_background(HDC dc, HRGN clip) const {
    SelectClipRgn(dc, clip);
    RECT all{0, 0, surface_width_, surface_height_};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (picture_) picture_->draw(dc, 0, 0);
    SelectClipRgn(dc, nullptr);
}

void Canvas::rebuild_surface() {
    RECT client{};
    GetClientRect(window_, &client);
    const int width = std::max<int>(1, client.right);
    const int height = std::max<int>(1, client.bottom);
    if (!surface_dc_) return;

    GdiObject<HBITMAP> surface(create_surface_bitmap(width, height));
    if (!surface) return;

    SelectObject(surface_dc_.get(), surface.get());
    surface_ = std::move(surface);
    surface_width_ = width;
    surface_height_ = height;
    paint_background(surface_dc_.get(), nullptr);
    lines_region_ = empty_region();
    InvalidateRect(window_, nullptr, FALSE);
}

void Canvas::set_picture(std::string bmp) {
    picture_ = Picture::from_bmp(bmp);
    picture_bytes_ = std::move(bmp);
    if (!surface_) return;
    paint_background(surface_dc_.get(), nullptr);
    lines_region_ = empty_region();
    InvalidateRect(window_, nullptr, FALSE);
}

void Canvas::clear() {
    if (!surface_ || !lines_region_) return;
    // Only the lines' strips differ from the background; the invalidated
    // strips join those of the lines drawn next, and one paint copies both.
    paint_background(surface_dc_.get(), lines_region_.get());
    InvalidateRgn(window_, lines_region_.get(), FALSE);
    lines_region_ = empty_region();
}

void Canvas::set_pen(int width, std::uint32_t colour_bgr) {
    width = std::max(0, width);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, width, static_cast<COLORREF>(colour_bgr & 0x00FFFFFF)));
    if (!pen) return;
    pen_ = std::move(pen);
    pen_width_ = width;
    pen_colour_ = colour_bgr & 0x00FFFFFF;
}

RECT Canvas::line_bounds(int x1, int y1, int x2, int y2) const {
    const int margin = std::max(1, pen_width_) + 1;
    return RECT{std::min(x1, x2) - margin, std::min(y1, y2) - margin, std::max(x1, x2) + margin + 1,
                std::max(y1, y2) + margin + 1};
}

void Canvas::draw_line(int x1, int y1, int x2, int y2) {
    if (!surface_ || !pen_) return;
    HDC dc = surface_dc_.get();
    {
        Selection selected(dc, pen_.get());
        SetROP2(dc, R2_COPYPEN);
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        // LineTo leaves out the end point; a thin line should reach it.
        if (pen_width_ <= 1) SetPixelV(dc, x2, y2, pen_colour_);
    }
    const RECT bounds = line_bounds(x1, y1, x2, y2);
    GdiObject<HRGN> strip(CreateRectRgnIndirect(&bounds));
    if (strip && lines_region_) CombineRgn(lines_region_.get(), lines_region_.get(), strip.get(), RGN_OR);
    InvalidateRect(window_, &bounds, FALSE);
}

LRESULT Canvas::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers everything from the surface
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        if (dc && surface_) {
            const RECT& r = ps.rcPaint;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, surface_dc_.get(), r.left, r.top, SRCCOPY);
        }
        EndPaint(window_, &ps);
        return 0;
    }
    case WM_SIZE:
        if (LOWORD(lparam) != surface_width_ || HIWORD(lparam) != surface_height_) rebuild_surface();
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(window_);
        if (on_mouse) on_mouse(MouseAction::pressed, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
        return 0;
    case WM_MOUSEMOVE:
        if (on_mouse) on_mouse(MouseAction::moved, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == window_) ReleaseCapture();
        if (on_mouse) on_mouse(MouseAction::released, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
        return 0;
    default:
        return DefWindowProcW(window_, message, wparam, lparam);
    }
}

}  // namespace vorbel
