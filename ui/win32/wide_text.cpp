#include "ui/win32/wide_text.h"

#include <windows.h>

#include <limits>

namespace vorbel {

namespace {
constexpr UINT code_page_936 = 936;

bool fits_int(std::size_t n) { return n <= static_cast<std::size_t>(std::numeric_limits<int>::max()); }
}  // namespace

std::wstring to_wide(std::string_view cp936) {
    if (cp936.empty() || !fits_int(cp936.size())) return {};
    const int in = static_cast<int>(cp936.size());
    const int n = MultiByteToWideChar(code_page_936, 0, cp936.data(), in, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(code_page_936, 0, cp936.data(), in, out.data(), n);
    return out;
}

std::string from_wide(std::wstring_view wide) {
    if (wide.empty() || !fits_int(wide.size())) return {};
    const int in = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(code_page_936, 0, wide.data(), in, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(code_page_936, 0, wide.data(), in, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace vorbel
