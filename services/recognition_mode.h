// The recognition modes, as main_window offers them and config.ini stores them.
#pragma once

#include <cstdint>

namespace vorbel {

inline constexpr std::int32_t mode_none = 0;      // no mode chosen
inline constexpr std::int32_t mode_normal = 1;    // general recognition
inline constexpr std::int32_t mode_accurate = 2;  // accurate recognition

}  // namespace vorbel
