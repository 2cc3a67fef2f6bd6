#include "text/md5.h"

#include "text/md5_digest.h"

namespace vorbel {

Text digest_hex(const std::optional<std::array<unsigned char, 16>>& digest) {
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

Text md5_text(std::string_view text) { return digest_hex(md5_digest(text)); }

}  // namespace vorbel
