#include "ui/win32/picture.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <vector>

namespace vorbel {

namespace {

constexpr std::size_t file_header_size = 14;
constexpr std::size_t info_header_size = 40;
constexpr std::int64_t max_side = 32768;

std::uint32_t u32_at(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
std::uint16_t u16_at(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}
std::int32_t i32_at(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(u32_at(b, at)); }

}  // namespace

bool read_bmp_layout(std::string_view bytes, BmpLayout& layout) {
    if (bytes.size() < file_header_size + info_header_size) return false;
    if (bytes[0] != 'B' || bytes[1] != 'M') return false;
    const std::uint64_t pixel_offset = u32_at(bytes, 10);
    const std::uint64_t header_size = u32_at(bytes, 14);
    if (header_size < info_header_size || header_size > bytes.size() - file_header_size) return false;

    const std::int64_t width = i32_at(bytes, 18);
    const std::int64_t signed_height = i32_at(bytes, 22);
    const std::int64_t height = signed_height < 0 ? -signed_height : signed_height;
    if (width <= 0 || height <= 0 || width > max_side || height > max_side) return false;
    if (u16_at(bytes, 26) != 1) return false;

    const int bpp = u16_at(bytes, 28);
    const std::uint32_t compression = u32_at(bytes, 30);
    std::uint64_t table_size = 0;
    switch (bpp) {
    case 1:
    case 4:
    case 8: {
        if (compression != BI_RGB) return false;
        const std::uint64_t most = 1u << bpp;
        const std::uint64_t used = u32_at(bytes, 46);
        if (used > most) return false;
        table_size = 4 * (used == 0 ? most : used);
        break;
    }
    case 16:
    case 24:
    case 32:
        if (compression == BI_BITFIELDS && bpp != 24) {
            // Masks follow a 40-byte header; larger headers hold them inside.
            table_size = header_size == info_header_size ? 12 : 0;
        } else if (compression != BI_RGB) {
            return false;
        }
        break;
    default:
        return false;
    }

    const std::uint64_t table_offset = file_header_size + header_size;
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bpp + 31) / 32) * 4;
    if (table_offset + table_size > pixel_offset) return false;
    if (pixel_offset > bytes.size() || stride * height > bytes.size() - pixel_offset) return false;

    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.bottom_up = signed_height > 0;
    layout.bits_per_pixel = bpp;
    layout.header_size = static_cast<std::size_t>(header_size);
    layout.table_offset = static_cast<std::size_t>(table_offset);
    layout.table_size = static_cast<std::size_t>(table_size);
    layout.pixel_offset = static_cast<std::size_t>(pixel_offset);
    layout.row_stride = static_cast<std::size_t>(stride);
    return true;
}

std::unique_ptr<Picture> Picture::from_bmp(std::string_view bytes) {
    BmpLayout layout;
    if (!read_bmp_layout(bytes, layout)) return nullptr;

    // GDI gets a plain 40-byte header whatever the file had, followed by the
    // colour table or masks, so newer header versions draw the same.
    std::vector<unsigned char> info(info_header_size + layout.table_size);
    std::memcpy(info.data(), bytes.data() + file_header_size, info_header_size);
    if (layout.table_size != 0) {
        std::memcpy(info.data() + info_header_size, bytes.data() + layout.table_offset, layout.table_size);
    }
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = info_header_size;
    header->biSizeImage = 0;
    if (header->biCompression == BI_BITFIELDS && layout.table_size == 0) {
        // Masks stored inside a larger header sit right after the 40 bytes.
        info.resize(info_header_size + 12);
        header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
        std::memcpy(info.data() + info_header_size, bytes.data() + file_header_size + info_header_size, 12);
    }

    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()),
                                               DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return nullptr;
    std::memcpy(bits, bytes.data() + layout.pixel_offset, layout.row_stride * layout.height);
    return std::unique_ptr<Picture>(new Picture(std::move(bitmap), layout.width, layout.height));
}

std::unique_ptr<Picture> Picture::from_image(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return from_bmp(bytes);
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xFF\xD8\xFF") return from_jpeg(bytes);
    return nullptr;
}

namespace {

// Releases a COM interface pointer.
template <typename Interface>
struct ComRelease {
    void operator()(Interface* p) const {
        if (p) p->Release();
    }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComRelease<Interface>>;

// The picture loader reaches the system's image decoders through COM.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

constexpr long himetric_per_inch = 2540;
constexpr int max_decoded_side = 8192;

}  // namespace

std::unique_ptr<Picture> Picture::from_jpeg(std::string_view bytes) {
    if (bytes.size() > 64u * 1024 * 1024) return nullptr;
    ComScope com;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* raw_stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &raw_stream))) {  // the stream frees the memory
        GlobalFree(memory);
        return nullptr;
    }
    ComPtr<IStream> stream(raw_stream);
    IPicture* raw_picture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&raw_picture))) ||
        !raw_picture) {
        return nullptr;
    }
    ComPtr<IPicture> picture(raw_picture);
    OLE_XSIZE_HIMETRIC himetric_width = 0;
    OLE_YSIZE_HIMETRIC himetric_height = 0;
    picture->get_Width(&himetric_width);
    picture->get_Height(&himetric_height);
    // The loader reports sizes at 96 pixels per inch for pictures without
    // a resolution of their own: back to pixels the same way.
    const int width = MulDiv(himetric_width, 96, himetric_per_inch);
    const int height = MulDiv(himetric_height, 96, himetric_per_inch);
    if (width <= 0 || height <= 0 || width > max_decoded_side || height > max_decoded_side) return nullptr;

    GdiObject<HBITMAP> bitmap(create_surface_bitmap(width, height));
    MemoryDC dc;
    if (!bitmap || !dc) return nullptr;
    {
        Selection selected(dc.get(), bitmap.get());
        // Rendering takes the source rectangle upside down, in HIMETRIC.
        if (FAILED(picture->Render(dc.get(), 0, 0, width, height, 0, himetric_height, himetric_width,
                                   -himetric_height, nullptr))) {
            return nullptr;
        }
    }
    return std::unique_ptr<Picture>(new Picture(std::move(bitmap), width, height));
}

void Picture::draw(HDC dc, int x, int y) const {
    MemoryDC source;
    if (!source) return;
    Selection selected(source.get(), bitmap_.get());
    BitBlt(dc, x, y, width_, height_, source.get(), 0, 0, SRCCOPY);
}

void Picture::draw_stretched(HDC dc, const RECT& target) const {
    MemoryDC source;
    if (!source) return;
    Selection selected(source.get(), bitmap_.get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
               source.get(), 0, 0, width_, height_, SRCCOPY);
}

}  // namespace vorbel
