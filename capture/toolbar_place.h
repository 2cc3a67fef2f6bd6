// Where the selection toolbar goes after a release.
#pragma once

namespace vorbel {

struct ToolbarPlace {
    int left = 0;
    int top = 0;
};

// The toolbar's top-left corner for a selection released at (x2, y2) whose
// upper edge is at `selection_top`, in an area of `area_width` x
// `area_height` pixels: (x2 - 95, y2 + 13), just below the release point.
// Where the toolbar would reach past the bottom it goes above the selection
// instead, and it is then
// moved in from any edge it would cross, so it is always wholly visible
// (given an area at least as large as the toolbar).
ToolbarPlace toolbar_place(int x2, int y2, int selection_top, int area_width, int area_height);

}  // namespace vorbel
