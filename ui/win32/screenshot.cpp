#include "ui/win32/screenshot.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "ui/win32/gdi_handles.h"

namespace vorbel {

namespace {

constexpr std::size_t headers_size = 54;

std::size_t row_stride_24(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

void put_u32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void put_u16(std::string& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

}  // namespace

std::string bmp24_file_image(int width, int height, std::string_view rows) {
    if (width <= 0 || height <= 0) return {};
    const std::size_t pixels_size = row_stride_24(width) * static_cast<std::size_t>(height);
    if (rows.size() != pixels_size || pixels_size > 0xFFFFFFFFu - headers_size) return {};
    std::string out(headers_size, '\0');
    out[0] = 'B';
    out[1] = 'M';
    put_u32(out, 2, static_cast<std::uint32_t>(headers_size + pixels_size));
    put_u32(out, 10, headers_size);
    put_u32(out, 14, 40);
    put_u32(out, 18, static_cast<std::uint32_t>(width));
    put_u32(out, 22, static_cast<std::uint32_t>(height));
    put_u16(out, 26, 1);
    put_u16(out, 28, 24);
    put_u32(out, 30, BI_RGB);
    put_u32(out, 34, static_cast<std::uint32_t>(pixels_size));
    out.append(rows);
    return out;
}

std::string capture_screen_bmp() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up, as the file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    WindowDC screen(nullptr);
    MemoryDC memory;
    if (!screen || !memory) return {};
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    {
        Selection selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY | CAPTUREBLT)) return {};
    }
    GdiFlush();
    const std::size_t size = row_stride_24(width) * static_cast<std::size_t>(height);
    return bmp24_file_image(width, height, std::string_view(static_cast<const char*>(bits), size));
}

}  // namespace vorbel
