// The canvas control: a background picture with pen lines drawn over it.
//
// The canvas keeps a surface bitmap the size of its inner area holding the
// background picture and every line drawn since the last clear; painting
// only copies from it (double buffering, no flicker). The region the lines
// cover is tracked, so a clear followed by new lines repaints only the old
// and the new lines' strips, not the whole canvas: a rubber band dragged
// over a full-screen picture stays cheap.
//
// Every repaint, a clear's or the system's when part of the canvas is
// uncovered, shows the surface: the background with the lines drawn since
// the last clear. The background picture itself never receives a line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/win32/picture.h"
#include "ui/win32/gdi_handles.h"

namespace vorbel {

enum class MouseAction { pressed, moved, released };

class Canvas {
public:
    // Window class of canvases; registered once per process.
    static const wchar_t* window_class();

    // Attaches to `window`, a window of window_class(); the canvas must
    // outlive it or be detached first.
    explicit Canvas(HWND window);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Left-button presses, moves and left-button releases in inner
    // coordinates.
    std::function<void(MouseAction, int x, int y)> on_mouse;

    // Replaces the background with the BMP file image `bmp` and repaints
    // the whole canvas from it, dropping the lines. A picture that cannot
    // be read leaves an empty background (button-face colour) but is still
    // what picture() returns.
    void set_picture(std::string bmp);
    const std::string& picture() const { return picture_bytes_; }

    // Repaints from the background picture: the lines disappear.
    void clear();
    // Width 0 or 1 draws one pixel wide; colour as 0x00BBGGRR.
    void set_pen(int width, std::uint32_t colour_bgr);
    void draw_line(int x1, int y1, int x2, int y2);

    // For the window procedure.
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

private:
    void rebuild_surface();
    void paint_background(HDC dc, HRGN clip) const;
    RECT line_bounds(int x1, int y1, int x2, int y2) const;

    HWND window_;
    std::string picture_bytes_;
    std::unique_ptr<Picture> picture_;
    int surface_width_ = 0;
    int surface_height_ = 0;
    MemoryDC surface_dc_;
    GdiObject<HBITMAP> surface_;
    HGDIOBJ original_bitmap_ = nullptr;
    GdiObject<HPEN> pen_;
    int pen_width_ = 0;
    std::uint32_t pen_colour_ = 0;
    GdiObject<HRGN> lines_region_;  // what the lines since the last clear cover
};

}  // namespace vorbel
