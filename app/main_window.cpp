#include "app/main_window.h"

#include <utility>

#include "app/main_picture.h"

namespace vorbel {

namespace {

constexpr const char* settings_group = "\xB7\xD6\xD7\xE9\xBF\xF2" "1";  // 分组框1
constexpr const char* picture_group = "\xB7\xD6\xD7\xE9\xBF\xF2" "2";   // 分组框2
constexpr const char* left_caption = "\xCA\xA3\xD3\xE0\xB4\xCE\xCA\xFD\xA3\xBA";  // 剩余次数：
constexpr const char* kaiti = "\xBF\xAC\xCC\xE5";                            // 楷体
constexpr const char* stkaiti = "\xBB\xAA\xCE\xC4\xBF\xAC\xCC\xE5";          // 华文楷体

ControlDesign control(const char* name, ControlKind kind, const char* container, int left, int top,
                      int width, int height, Text text = Text()) {
    ControlDesign design = control_design(name, kind, container, left, top, width, height);
    design.text = std::move(text);
    return design;
}

ControlDesign with_font(ControlDesign design, const char* face, int height, bool bold) {
    design.font = FontDesign{face, height, bold};
    return design;
}

}  // namespace

WindowDesign main_window_design() {
    WindowDesign design = window_design("main_window", main_window_title, 50, 50, 263, 417);
    design.menus = {MenuDesign{"\xB3\xCC\xD0\xF2", {about_menu_item}}};  // 程序

    using K = ControlKind;
    ControlDesign picture = control("\xCD\xBC\xC6\xAC\xBF\xF2" "1", K::picture_box, picture_group, 6, 11,  // 图片框1
                                    main_picture_width, main_picture_height);
    picture.picture = main_picture_bmp();

    design.controls = {
        control(settings_group, K::group_box, "", 8, 8, 240, 144, "\xC9\xE8\xD6\xC3"),  // 设置
        control(normal_radio, K::radio_button, settings_group, 22, 22, 90, 26,
                "\xC6\xD5\xCD\xA8\xCA\xB6\xB1\xF0"),  // 普通识别
        control(accurate_radio, K::radio_button, settings_group, 22, 54, 90, 26,
                "\xBE\xAB\xD7\xBC\xCA\xB6\xB1\xF0"),  // 精准识别
        with_font(control("\xB1\xEA\xC7\xA9" "4", K::label, settings_group, 120, 26, 55, 17, left_caption),  // 标签4
                  kaiti, 11, false),
        with_font(control(normal_left_label, K::label, settings_group, 184, 26, 40, 19), kaiti, 12, true),
        with_font(control("\xB1\xEA\xC7\xA9" "5", K::label, settings_group, 120, 58, 55, 17, left_caption),  // 标签5
                  kaiti, 11, false),
        with_font(control(accurate_left_label, K::label, settings_group, 184, 58, 40, 19), kaiti, 12, true),
        control("\xB1\xEA\xC7\xA9" "3", K::label, settings_group, 15, 89, 212, 48,  // 标签3
                "\xD7\xA2\xA3\xBA\r\n"  // 注：
                "1\xA1\xA2\xC6\xD5\xCD\xA8\xCA\xB6\xB1\xF0\xC3\xBF\xCC\xEC\xBF\xC9\xD2\xD4\xCA\xB6\xB1\xF0" "50\xB4\xCE(\xC3\xE2\xB7\xD1)\r\n"  // 1、普通识别每天可以识别50次(免费)
                "2\xA1\xA2\xBE\xAB\xD7\xBC\xCA\xB6\xB1\xF0\xC3\xBF\xCC\xEC\xBF\xC9\xD2\xD4\xCA\xB6\xB1\xF0" "10\xB4\xCE(\xC3\xE2\xB7\xD1\xA3\xA9"),  // 2、精准识别每天可以识别10次(免费）
        control(picture_group, K::group_box, "", 8, 158, 240, 200),
        picture,
        with_font(control(recognize_button, K::button, picture_group, 200, 13, 34, 179,
                          "\xCA\xB6\xB1\xF0     F\xBC\xFC\xBC\xA4\xBB\xEE"),  // 识别     F键激活
                  stkaiti, 21, true),
        with_font(control("\xB1\xEA\xC7\xA9" "2", K::label, picture_group, 8, 174, 197, 16,  // 标签2
                          "\xB9\xD8\xD7\xA2\xB9\xAB\xD6\xDA\xBA\xC5\xA3\xAC\xD1\xA7\xCF\xB0\xB8\xFC\xB6\xE0\xA3\xA1"),  // 关注公众号，学习更多！
                  "", 16, true),
        control(hotkey_label, K::label, "", 224, 8, 32, 40),
    };
    return design;
}

MainWindow::MainWindow(Toolkit& toolkit, const Settings& settings, MainWindowServices services)
    : toolkit_(toolkit), settings_(settings), services_(std::move(services)) {}

void MainWindow::created(WindowId self) {
    self_ = self;
    hotkey_id_ = toolkit_.register_hotkey(self_, hotkey_label, key_f);
    const DayStart day = settings_.start_day();
    select_stored_option(day);
    // After a refill the labels are filled by the shown event that follows.
    if (day.outcome == DayOutcome::same_day) show_counts();
    if (toolkit_.checked(self_, normal_radio)) {
        recognition_mode_ = mode_normal;
    } else if (toolkit_.checked(self_, accurate_radio)) {
        recognition_mode_ = mode_accurate;
    }
    settings_.hide_settings_file();
    if (services_.start_background_tasks) services_.start_background_tasks();
}

void MainWindow::select_stored_option(const DayStart& day) {
    // On a new day the option read before the refill still decides: the
    // user's choice survives the refill and is saved again at exit.
    if (day.outcome == DayOutcome::first_start || day.option == "1") {
        toolkit_.set_checked(self_, normal_radio, true);
    } else if (day.option == "2") {
        toolkit_.set_checked(self_, accurate_radio, true);
    }
}

void MainWindow::shown() { show_counts(); }

void MainWindow::show_counts() {
    toolkit_.set_text(self_, normal_left_label, settings_.quota_text(mode_normal));
    toolkit_.set_text(self_, accurate_left_label, settings_.quota_text(mode_accurate));
}

void MainWindow::clicked(const std::string& control) {
    if (control == normal_radio) {
        recognition_mode_ = mode_normal;
    } else if (control == accurate_radio) {
        recognition_mode_ = mode_accurate;
    } else if (control == recognize_button) {
        if (recognition_mode_ == mode_normal) recognize_with(mode_normal);
        if (recognition_mode_ == mode_accurate) recognize_with(mode_accurate);
    }
}

void MainWindow::recognize_with(std::int32_t mode) {
    // Only a positive count lets a recognition start: a count that has gone
    // negative is used up as much as 0 is.
    if (settings_.quota_left(mode) <= 0) {
        toolkit_.message_box(quota_used_up_message(mode));
        return;
    }
    // Hidden before capture_window loads, so it is not in its screenshot.
    toolkit_.set_visible(self_, "", false);
    if (services_.open_capture_window) services_.open_capture_window();
}

void MainWindow::feedback(const std::string& control, int value) {
    if (control != hotkey_label || hotkey_id_ == 0 || value != hotkey_id_) return;
    bring_to_front();
}

void MainWindow::bring_to_front() {
    toolkit_.centre_window(self_);
    toolkit_.set_topmost(self_, true);
    toolkit_.run_pending_events();
    toolkit_.set_topmost(self_, false);
}

void MainWindow::menu_selected(const std::string& item) {
    if (item == about_menu_item && services_.open_about_window) services_.open_about_window();
}

void MainWindow::will_be_destroyed() {
    if (toolkit_.checked(self_, normal_radio)) {
        settings_.save_option(mode_normal);
    } else if (toolkit_.checked(self_, accurate_radio)) {
        settings_.save_option(mode_accurate);
    }
}

}  // namespace vorbel
