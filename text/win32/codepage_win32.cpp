#include <windows.h>

#include <climits>

#include "text/codepage_platform.h"

namespace vorbel {
namespace {

constexpr UINT kCodePage = 936;

// Whole-run conversions; each returns false when a character has no mapping,
// and the callers then go character by character to place the stand-ins.
bool decode_strict(std::string_view text, std::u16string& out) {
    if (text.size() > INT_MAX) return false;
    int length = static_cast<int>(text.size());
    // MB_ERR_INVALID_CHARS makes an unassigned pair fail instead of being
    // replaced silently, so it gets the same stand-in as on other systems.
    int needed = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), needed) != needed) return false;
    out.append(wide.begin(), wide.end());
    return true;
}

bool encode_strict(std::u16string_view text, std::string& out) {
    if (text.size() > INT_MAX) return false;
    std::wstring wide(text.begin(), text.end());
    int length = static_cast<int>(wide.size());
    BOOL used_default = FALSE;
    // No best-fit: a character the code page lacks must become the default
    // character, not a look-alike chosen by the system.
    int needed = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &used_default);
    if (needed <= 0 || used_default) return false;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(), needed, nullptr,
                            &used_default) != needed ||
        used_default) {
        return false;
    }
    out += bytes;
    return true;
}

// Texts go in slices, so that a character without a mapping costs the
// character-by-character retry of one slice, not of the whole text.
constexpr std::size_t kSlice = 256;

std::size_t char_length(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]) >= 0x81 && pos + 1 < text.size() ? 2 : 1;
}

void decode_slice(std::string_view text, std::u16string& out) {
    if (decode_strict(text, out)) return;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = char_length(text, pos);
        if (!decode_strict(text.substr(pos, length), out)) out += u'\xFFFD';
        pos += length;
    }
}

void encode_slice(std::u16string_view text, std::string& out) {
    if (encode_strict(text, out)) return;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (!encode_strict(text.substr(pos, 1), out)) out += '?';
    }
}

}  // namespace

void decode_cp936_chars(std::string_view text, std::u16string& out) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && end - start < kSlice) end += char_length(text, end);
        decode_slice(text.substr(start, end - start), out);
        start = end;
    }
}

void encode_cp936_chars(std::u16string_view text, std::string& out) {
    for (std::size_t start = 0; start < text.size(); start += kSlice) encode_slice(text.substr(start, kSlice), out);
}

}  // namespace vorbel
