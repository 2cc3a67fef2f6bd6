#include "toolkit_fixture.h"

namespace vorbel::test {

void RecordingHandler::created(WindowId id) {
    self = id;
    if (toolkit) visible_when_created = toolkit->visible(id, "");
    events.push_back("created");
}

void RecordingHandler::will_be_destroyed() {
    if (toolkit) existed_when_destroyed = toolkit->window_exists(self);
    events.push_back("will be destroyed");
}

void RecordingHandler::feedback(const std::string& control, int value) {
    events.push_back("feedback " + control + " " + std::to_string(value));
}

void RecordingHandler::mouse(const char* what, const std::string& control, int x, int y) {
    events.push_back(std::string(what) + " " + control + " " + std::to_string(x) + " " + std::to_string(y));
}

WindowDesign small_design() {
    WindowDesign d;
    d.name = "test_window";
    d.title = "\xB2\xE2\xCA\xD4\xB4\xB0\xBF\xDA";  // 测试窗口
    d.left = 60;
    d.top = 70;
    d.width = 320;
    d.height = 360;
    d.menus.push_back(MenuDesign{"\xB3\xCC\xD0\xF2", {menu_item}});  // 程序
    d.controls.push_back({group_name, ControlKind::group_box, "", 8, 8, 240, 120, "\xC9\xE8\xD6\xC3", {}, true, {}});
    d.controls.push_back({radio1_name, ControlKind::radio_button, group_name, 22, 22, 90, 26,
                          "\xC6\xD5\xCD\xA8\xCA\xB6\xB1\xF0", {}, true, {}});  // 普通识别
    d.controls.push_back({radio2_name, ControlKind::radio_button, group_name, 22, 54, 90, 26,
                          "\xBE\xAB\xD7\xBC\xCA\xB6\xB1\xF0", {}, true, {}});  // 精准识别
    d.controls.push_back({inner_label_name, ControlKind::label, group_name, 120, 26, 80, 17,
                          "\xCA\xA3\xD3\xE0\xB4\xCE\xCA\xFD\xA3\xBA", FontDesign{"\xBF\xAC\xCC\xE5", 11, false}, true,
                          {}});  // 剩余次数： in 楷体
    d.controls.push_back({label_name, ControlKind::label, "", 8, 140, 200, 20, "50", {}, true, {}});
    d.controls.push_back({button_name, ControlKind::button, "", 8, 170, 120, 30, "OK", {}, true, {}});
    d.controls.push_back({edit_name, ControlKind::edit_box, "", 8, 210, 280, 80, "", {}, true, {}});
    return d;
}

WindowDesign canvas_design(int width, int height) {
    WindowDesign d;
    d.name = "canvas_window";
    d.title = "canvas";
    d.left = 0;
    d.top = 0;
    d.width = width;
    d.height = height;
    d.bordered = false;
    d.controls.push_back({canvas_name, ControlKind::canvas, "", 0, 0, width, height, "", {}, true, {}});
    return d;
}

void settle(Toolkit& toolkit) {
    toolkit.run_pending_events();
    Sleep(50);
    toolkit.run_pending_events();
}

}  // namespace vorbel::test
