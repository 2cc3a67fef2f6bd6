// The platform's MD5 facility, behind which each system provides its own.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace vorbel {

// The 16-byte MD5 digest of `bytes`, or nullopt when the facility cannot be
// opened or any of its steps fails.
std::optional<std::array<unsigned char, 16>> md5_digest(std::string_view bytes);

}  // namespace vorbel
