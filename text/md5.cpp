#include "text/md5.h"

#include "text/md5_digest.h"

namespace vorbel {

Text md5_text(std::string_view text) {
    auto digest = md5_digest(text);
    if (!digest) return {};
    constexpr char kLowerHex[] = "0123456789abcdef";
    Text hex;
    hex.reserve(32);
    for (unsigned char byte : *digest) {
        hex += kLowerHex[byte >> 4];
        hex += kLowerHex[byte & 15];
    }
    return hex;
}

}  // namespace vorbel
