#include "ui/win32/wide_text.h"

#include "text/codepage.h"

namespace vorbel {

// wchar_t is a UTF-16 code unit on Windows, so the shared conversions serve
// the W functions directly.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring to_wide(std::string_view cp936) {
    const std::u16string utf16 = cp936_to_utf16(cp936);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string from_wide(std::wstring_view wide) {
    return utf16_to_cp936(std::u16string(wide.begin(), wide.end()));
}

}  // namespace vorbel
