#include "ui/win32/fonts.h"

#include "ui/win32/dpi.h"
#include "ui/win32/wide_text.h"

#include <map>
#include <mutex>
#include <string>

namespace vorbel {

namespace {

bool face_installed(const std::wstring& face) {
    static std::mutex mutex;
    static std::map<std::wstring, bool> known;
    std::lock_guard<std::mutex> lock(mutex);
    auto found = known.find(face);
    if (found != known.end()) return found->second;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face.c_str(), LF_FACESIZE);
    bool present = false;
    HDC screen = GetDC(nullptr);
    if (screen) {
        EnumFontFamiliesExW(
            screen, &query,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM flag) -> int {
                *reinterpret_cast<bool*>(flag) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&present), 0);
        ReleaseDC(nullptr, screen);
    }
    known[face] = present;
    return present;
}

// Left to itself the font mapper may take the first font that has the
// GB2312 character set, which need not have Latin letters and digits; a
// face known to hold both is asked for by name.
std::wstring default_face() {
    static const wchar_t* const candidates[] = {
        L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun", L"NSimSun",
        L"WenQuanYi Micro Hei", L"Noto Sans CJK SC", L"Noto Sans SC",
    };
    for (const wchar_t* face : candidates) {
        if (face_installed(face)) return face;
    }
    return {};
}

}  // namespace

GdiObject<HFONT> make_font(const FontDesign& design, int dpi, bool underline) {
    LOGFONTW font{};
    const int height = design.height > 0 ? design.height : default_font_height;
    font.lfHeight = -design_to_physical(height, dpi);  // negative: character height, not cell height
    font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = GB2312_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::wstring face = to_wide(design.face);
    if (face.empty() || !face_installed(face)) face = default_face();
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    HFONT made = CreateFontIndirectW(&font);
    if (!made) {
        LOGFONTW stock{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
        made = CreateFontIndirectW(&stock);
    }
    return GdiObject<HFONT>(made);
}

}  // namespace vorbel
