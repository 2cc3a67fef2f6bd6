// The recognition modes, as main_window offers them and config.ini stores them.
#pragma once

#include <cstdint>

namespace vorbel {

inline constexpr std::int32_t mode_none = 0;      // no mode chosen
inline constexpr std::int32_t mode_normal = 1;    // general recognition
inline constexpr std::int32_t mode_accurate = 2;  // accurate recognition

// What the user is told when a mode's daily allowance is used up.
inline constexpr const char* normal_used_up_message =
    "\xC6\xD5\xCD\xA8\xCA\xB6\xB1\xF0\xB5\xC4\xB4\xCE\xCA\xFD\xD2\xD1\xBE\xAD\xD3\xC3\xCD\xEA\xC1\xCB\xA3\xA1";  // 普通识别的次数已经用完了！
inline constexpr const char* accurate_used_up_message =
    "\xBE\xAB\xD7\xBC\xCA\xB6\xB1\xF0\xB5\xC4\xB4\xCE\xCA\xFD\xD2\xD1\xBE\xAD\xD3\xC3\xCD\xEA\xC1\xCB\xA3\xA1";  // 精准识别的次数已经用完了！

// The used-up message of `mode`; empty for modes other than the two above.
inline const char* quota_used_up_message(std::int32_t mode) {
    if (mode == mode_normal) return normal_used_up_message;
    if (mode == mode_accurate) return accurate_used_up_message;
    return "";
}

}  // namespace vorbel
