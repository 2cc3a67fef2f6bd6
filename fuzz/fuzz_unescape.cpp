// Escape decoding and the code page conversions under it, on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/codepage.h"
#include "text/unescape.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);

    vorbel::Text decoded = vorbel::unescape_text(input);
    require(decoded.find('\0') == vorbel::Text::npos);

    // Whatever the bytes, a second trip through UTF-16 changes nothing: the
    // first has already replaced what the code page cannot hold.
    vorbel::Text once = vorbel::utf16_to_cp936(vorbel::cp936_to_utf16(input));
    require(vorbel::utf16_to_cp936(vorbel::cp936_to_utf16(once)) == once);

    std::string utf8 = vorbel::utf16_to_utf8(vorbel::utf8_to_utf16(input));
    require(vorbel::utf16_to_utf8(vorbel::utf8_to_utf16(utf8)) == utf8);
    return 0;
}
