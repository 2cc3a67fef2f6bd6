// main_window: the choice of recognition mode, today's remaining counts, the
// recognize button, the F hotkey and the about menu.
#pragma once

#include <cstdint>
#include <functional>

#include "app/settings.h"
#include "text/text_types.h"
#include "ui/toolkit.h"

namespace vorbel {

inline constexpr const char* main_window_title = "Vorbel1.0";
inline constexpr const char* about_menu_item = "\xB9\xD8\xD3\xDA\xB3\xCC\xD0\xF2";  // 关于程序

// Control names of main_window.
inline constexpr const char* normal_radio = "\xB5\xA5\xD1\xA1\xBF\xF2" "1";             // 单选框1
inline constexpr const char* accurate_radio = "\xB5\xA5\xD1\xA1\xBF\xF2" "2";           // 单选框2
inline constexpr const char* normal_left_label = "\xB1\xEA\xC7\xA9_\xC6\xD5\xCA\xA3";   // 标签_普剩
inline constexpr const char* accurate_left_label = "\xB1\xEA\xC7\xA9_\xD7\xBC\xCA\xA3"; // 标签_准剩
inline constexpr const char* recognize_button = "\xB0\xB4\xC5\xA5" "1";                 // 按钮1
inline constexpr const char* hotkey_label = "\xB1\xEA\xC7\xA9" "1";                     // 标签1

// The window's design, with every control, font and the menu.
WindowDesign main_window_design();

// What main_window asks of the rest of the program. Unset members do
// nothing.
struct MainWindowServices {
    // Loads capture_window, non-modally and without owner. main_window is
    // already hidden when it is called.
    std::function<void()> open_capture_window;
    // Starts the update check and the visit counter on threads of their
    // own, not waited for.
    std::function<void()> start_background_tasks;
    // Loads about_window modally, without owner; returns when it is closed.
    std::function<void()> open_about_window;
};

class MainWindow : public WindowHandler {
public:
    // `toolkit` and `settings` must outlive the window.
    MainWindow(Toolkit& toolkit, const Settings& settings, MainWindowServices services);

    // 0 none, 1 normal, 2 accurate: what capture_window recognises with.
    std::int32_t recognition_mode() const { return recognition_mode_; }
    // The identifier the F hotkey was registered with; 0 when it could not be.
    int hotkey_id() const { return hotkey_id_; }
    // The window, once created; no_window before.
    WindowId window() const { return self_; }

    void created(WindowId self) override;
    void shown() override;
    void clicked(const std::string& control) override;
    void feedback(const std::string& control, int value) override;
    void menu_selected(const std::string& item) override;
    void will_be_destroyed() override;

private:
    void show_counts();
    void select_stored_option(const DayStart& day);
    // Opens capture_window when the mode has recognitions left.
    void recognize_with(std::int32_t mode);
    void bring_to_front();

    Toolkit& toolkit_;
    const Settings& settings_;
    MainWindowServices services_;
    WindowId self_ = no_window;
    std::int32_t recognition_mode_ = mode_none;
    int hotkey_id_ = 0;
};

}  // namespace vorbel
