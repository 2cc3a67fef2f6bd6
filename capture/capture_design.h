// The layout of capture_window and the names of its controls (code page 936).
#pragma once

#include "text/text_types.h"
#include "ui/toolkit.h"

namespace vorbel {

namespace capture_names {
inline constexpr const char* window = "capture_window";
inline constexpr const char* canvas = "\xBB\xAD\xB0\xE5" "1";                             // 画板1
inline constexpr const char* toolbar = "\xB7\xD6\xD7\xE9\xBF\xF2" "1";                    // 分组框1
inline constexpr const char* cancel_button = "\xCD\xBC\xD0\xCE\xB0\xB4\xC5\xA5" "1";      // 图形按钮1
inline constexpr const char* recognize_button = "\xCD\xBC\xD0\xCE\xB0\xB4\xC5\xA5" "2";   // 图形按钮2
inline constexpr const char* close_button = "\xCD\xBC\xD0\xCE\xB0\xB4\xC5\xA5" "3";       // 图形按钮3
inline constexpr const char* result_panel = "\xB7\xD6\xD7\xE9\xBF\xF2" "2";               // 分组框2
inline constexpr const char* result_text = "\xB1\xE0\xBC\xAD\xBF\xF2" "1";                // 编辑框1
}  // namespace capture_names

// Size of the toolbar group box.
inline constexpr int toolbar_width = 100;
inline constexpr int toolbar_height = 40;

// capture_window as designed: borderless, the canvas, the hidden toolbar with
// its three picture buttons, and the hidden result panel with its edit box.
// Controls are listed bottom first: both group boxes lie above the canvas.
WindowDesign capture_window_design();


}  // namespace vorbel
