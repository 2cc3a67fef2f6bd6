// The MD5 signature text of the translation request.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "text/text_types.h"

namespace vorbel {

// The MD5 digest (RFC 1321) of the bytes of `text` as 32 lower-case
// hexadecimal digits; the empty text when the platform's digest facility
// fails.
Text md5_text(std::string_view text);

// A digest as 32 lower-case hexadecimal digits, high half of each byte
// first; the empty text when there is no digest.
Text digest_hex(const std::optional<std::array<unsigned char, 16>>& digest);

}  // namespace vorbel
