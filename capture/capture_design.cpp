#include "capture/capture_design.h"

#include <utility>

#include "capture/toolbar_icons.h"
#include "services/recognition_job.h"

namespace vorbel {
namespace {

ControlDesign control(const char* name, ControlKind kind, const char* container, int left, int top, int width,
                      int height, bool visible = true) {
    ControlDesign c = control_design(name, kind, container, left, top, width, height);
    c.visible = visible;
    return c;
}

ControlDesign picture_button(const char* name, int left, Bytes icon) {
    ControlDesign c = control(name, ControlKind::picture_button, capture_names::toolbar, left, 9,
                              toolbar_icon_size, toolbar_icon_size);
    c.picture = std::move(icon);
    return c;
}

}  // namespace

WindowDesign capture_window_design() {
    using namespace capture_names;
    WindowDesign design = window_design(window, "", 50, 50, 821, 392);
    design.bordered = false;
    design.controls = {
        control(canvas, ControlKind::canvas, "", 88, 40, 168, 144),
        control(toolbar, ControlKind::group_box, "", 80, 192, toolbar_width, toolbar_height, false),
        picture_button(cancel_button, 5, cancel_icon()),
        picture_button(recognize_button, 36, recognize_icon()),
        picture_button(close_button, 67, close_icon()),
        control(result_panel, ControlKind::group_box, "", 144, 208, 576, 136, false),
        control(result_text, ControlKind::edit_box, result_panel, 2, 7, 569, 125),
    };
    return design;
}

}  // namespace vorbel
