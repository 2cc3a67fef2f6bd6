#include "capture/toolbar_place.h"

#include <algorithm>
#include <cstdint>

#include "capture/capture_design.h"

namespace vorbel {
namespace {

constexpr int offset_left = 95;  // the toolbar ends just right of the release point
constexpr int gap = 13;          // between the selection and the toolbar

int clamp_to(std::int64_t value, std::int64_t low, std::int64_t high) {
    return static_cast<int>(std::clamp(value, low, std::max(low, high)));
}

}  // namespace

ToolbarPlace toolbar_place(int x2, int y2, int selection_top, int area_width, int area_height) {
    // 64-bit so that positions near the int limits cannot wrap.
    const std::int64_t left = std::int64_t{x2} - offset_left;
    std::int64_t top = std::int64_t{y2} + gap;
    if (top + toolbar_height > area_height) top = std::int64_t{selection_top} - gap - toolbar_height;
    return {clamp_to(left, 0, std::int64_t{area_width} - toolbar_width),
            clamp_to(top, 0, std::int64_t{area_height} - toolbar_height)};
}

}  // namespace vorbel
