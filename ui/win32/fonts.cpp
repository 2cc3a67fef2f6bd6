#include "ui/win32/fonts.h"

#include "ui/win32/dpi.h"
#include "ui/win32/wide_text.h"

namespace vorbel {

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
    const std::wstring face = to_wide(design.face);
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
