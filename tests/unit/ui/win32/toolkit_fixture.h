// A Win32 toolkit with one small window for the toolkit's tests, and a
// handler that writes down every event it hears.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/win32_toolkit.h"

namespace vorbel::test {

// Code page 936 names and texts used across the tests.
inline const std::string group_name = "\xB7\xD6\xD7\xE9\xBF\xF2\x31";     // 分组框1
inline const std::string radio1_name = "\xB5\xA5\xD1\xA1\xBF\xF2\x31";    // 单选框1
inline const std::string radio2_name = "\xB5\xA5\xD1\xA1\xBF\xF2\x32";    // 单选框2
inline const std::string label_name = "\xB1\xEA\xC7\xA9\x31";             // 标签1
inline const std::string inner_label_name = "\xB1\xEA\xC7\xA9\x34";       // 标签4
inline const std::string button_name = "\xB0\xB4\xC5\xA5\x31";            // 按钮1
inline const std::string edit_name = "\xB1\xE0\xBC\xAD\xBF\xF2\x31";      // 编辑框1
inline const std::string canvas_name = "\xBB\xAD\xB0\xE5\x31";           // 画板1
inline const std::string menu_item = "\xB9\xD8\xD3\xDA\xB3\xCC\xD0\xF2";  // 关于程序

class RecordingHandler : public WindowHandler {
public:
    void created(WindowId self) override;
    void shown() override { events.push_back("shown"); }
    void activated() override { events.push_back("activated"); }
    void will_be_destroyed() override;
    void clicked(const std::string& control) override { events.push_back("clicked " + control); }
    void menu_selected(const std::string& item) override { events.push_back("menu " + item); }
    void mouse_pressed(const std::string& c, int x, int y) override { mouse("pressed", c, x, y); }
    void mouse_moved(const std::string& c, int x, int y) override { mouse("moved", c, x, y); }
    void mouse_released(const std::string& c, int x, int y) override { mouse("released", c, x, y); }
    void feedback(const std::string& control, int value) override;
    void key_pressed(int key) override { events.push_back("key " + std::to_string(key)); }

    Toolkit* toolkit = nullptr;
    WindowId self = no_window;
    bool visible_when_created = true;
    bool existed_when_destroyed = false;
    std::vector<std::string> events;

private:
    void mouse(const char* what, const std::string& control, int x, int y);
};

// The design the tests load: a bordered window with a menu, a group box
// holding two radio buttons and a label, and a label, a button and an edit
// box on the window itself.
WindowDesign small_design();
// A borderless window with a canvas filling it.
WindowDesign canvas_design(int width, int height);

// Lets the display catch up: runs pending events, then once more after a
// short pause, for the X server's round trips under Wine.
void settle(Toolkit& toolkit);

}  // namespace vorbel::test
