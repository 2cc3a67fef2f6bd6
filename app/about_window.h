// about_window: what the tool is, and where to leave feedback.
#pragma once

#include <string>

#include "text/text_types.h"
#include "ui/toolkit.h"

namespace vorbel {

inline constexpr const char* about_window_title = "\xB9\xD8\xD3\xDA\xB3\xCC\xD0\xF2";  // 关于程序

// The about text: one paragraph, its first line indented by four spaces.
Text about_text();

// The window's design; the hyperlink box shows and opens `feedback_address`.
WindowDesign about_window_design(const Text& feedback_address);

// about_window handles no events of its own.
class AboutWindow : public WindowHandler {};

// Loads about_window modally, without owner; returns when it has closed.
void show_about_window(Toolkit& toolkit, const Text& feedback_address);

}  // namespace vorbel
