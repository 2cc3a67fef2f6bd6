#include "app/main_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/fake/fake_clock.h"
#include "app/fake/memory_profile_store.h"
#include "ui/fake/fake_toolkit.h"

namespace vorbel {
namespace {

const Text config_path = "C:\\Vorbel\\config.ini";
const Text today = "2019\xC4\xEA" "3\xD4\xC2" "7\xC8\xD5";      // 2019年3月7日
const Text yesterday = "2019\xC4\xEA" "3\xD4\xC2" "6\xC8\xD5";  // 2019年3月6日

Text config(const Text& option, const Text& fr0, const Text& fr1, const Text& date) {
    return "[config]\r\noption=" + option + "\r\nfr0=" + fr0 + "\r\nfr1=" + fr1 + "\r\ndate=" + date + "\r\n";
}

// main_window over the fake toolkit and an in-memory settings file, with
// the services it calls counted.
struct MainWindowRig {
    FakeToolkit toolkit;
    MemoryProfileStore store;
    FakeClock clock{FakeClock::date_time(2019, 3, 7, 10, 0, 0)};
    Settings settings{store, clock};
    int captures_opened = 0;
    int background_starts = 0;
    int abouts_opened = 0;
    MainWindow handler{toolkit, settings,
                       MainWindowServices{[this] { ++captures_opened; }, [this] { ++background_starts; },
                                          [this] { ++abouts_opened; }}};
    WindowId id = no_window;

    void start(const std::optional<Text>& file) {
        if (file) store.set_file_text(config_path, *file);
        id = toolkit.load_window(main_window_design(), handler, false);
    }
    bool checked(const char* radio) { return toolkit.control(id, radio).checked; }
    Text label(const char* name) { return toolkit.control(id, name).text; }
    Text stored(const char* key) { return store.read(config_path, "config", key); }
};

struct MainWindowFixture : ::testing::Test, MainWindowRig {};

struct StartCase {
    const char* name;
    std::optional<Text> file;
    bool want_normal, want_accurate;
    std::int32_t want_mode;
    Text want_normal_left, want_accurate_left;
    Text want_stored_option;
};

TEST(MainWindowStart, SelectsTheStoredModeAndShowsTheCounts) {
    const std::vector<StartCase> cases = {
        {"first start", std::nullopt, true, false, 1, "50", "10", "1"},
        {"option 1, same day", config("1", "7", "3", today), true, false, 1, "7", "3", "1"},
        {"option 2, same day", config("2", "7", "-3", today), false, true, 2, "7", "-3", "2"},
        {"option 2, new day", config("2", "0", "0", yesterday), false, true, 2, "50", "10", "1"},
        {"option 3, same day", config("3", "4", "abc", today), false, false, 0, "4", "abc", "3"},
        {"option 3, new day", config("3", "4", "4", yesterday), false, false, 0, "50", "10", "1"},
    };
    for (const StartCase& c : cases) {
        MainWindowRig f;
        f.start(c.file);
        EXPECT_EQ(f.checked(normal_radio), c.want_normal) << c.name;
        EXPECT_EQ(f.checked(accurate_radio), c.want_accurate) << c.name;
        EXPECT_EQ(f.handler.recognition_mode(), c.want_mode) << c.name;
        EXPECT_EQ(f.label(normal_left_label), c.want_normal_left) << c.name;
        EXPECT_EQ(f.label(accurate_left_label), c.want_accurate_left) << c.name;
        EXPECT_EQ(f.stored("option"), c.want_stored_option) << c.name;
        EXPECT_EQ(f.stored("date"), today) << c.name;
        EXPECT_TRUE(f.store.hidden(config_path)) << c.name;
        EXPECT_EQ(f.background_starts, 1) << c.name;
        EXPECT_EQ(f.toolkit.registered_hotkeys, std::vector<int>{key_f}) << c.name;
    }
}

struct RecognizeCase {
    const char* name;
    Text option, fr0, fr1;
    bool want_capture;
    std::vector<std::string> want_messages;
};

TEST(MainWindowRecognize, OpensCaptureOnlyWhileTheModeHasRecognitionsLeft) {
    const std::vector<RecognizeCase> cases = {
        {"normal with 5 left", "1", "5", "0", true, {}},
        {"normal with 0 left", "1", "0", "5", false, {normal_used_up_message}},
        {"normal with -1 left", "1", "-1", "5", false, {normal_used_up_message}},
        {"normal with a broken count", "1", "abc", "5", false, {normal_used_up_message}},
        {"accurate with 1 left", "2", "0", "1", true, {}},
        {"accurate with 0 left", "2", "5", "0", false, {accurate_used_up_message}},
        {"accurate with -3 left", "2", "5", "-3", false, {accurate_used_up_message}},
        {"no mode chosen", "3", "5", "5", false, {}},
    };
    for (const RecognizeCase& c : cases) {
        MainWindowRig f;
        const Text file = config(c.option, c.fr0, c.fr1, today);
        f.start(file);
        f.toolkit.click(f.id, recognize_button);
        EXPECT_EQ(f.captures_opened, c.want_capture ? 1 : 0) << c.name;
        EXPECT_EQ(f.toolkit.message_boxes, c.want_messages) << c.name;
        // main_window hides before capture_window loads, and only then.
        EXPECT_EQ(f.toolkit.visible(f.id, ""), !c.want_capture) << c.name;
        // The click itself charges nothing.
        EXPECT_EQ(f.store.file_text(config_path), file) << c.name;
    }
}

TEST_F(MainWindowFixture, RadioClicksChooseTheMode) {
    start(config("1", "0", "2", today));
    toolkit.click(id, accurate_radio);
    EXPECT_EQ(handler.recognition_mode(), mode_accurate);
    toolkit.click(id, recognize_button);
    EXPECT_EQ(captures_opened, 1);
    EXPECT_TRUE(toolkit.message_boxes.empty());

    toolkit.show(id);
    toolkit.click(id, normal_radio);
    EXPECT_EQ(handler.recognition_mode(), mode_normal);
    EXPECT_FALSE(checked(accurate_radio));
    toolkit.click(id, recognize_button);
    EXPECT_EQ(toolkit.message_boxes, std::vector<std::string>{normal_used_up_message});
}

TEST_F(MainWindowFixture, ShowingAgainRereadsTheCounts) {
    start(std::nullopt);
    toolkit.click(id, recognize_button);
    settings.charge_quota(mode_normal);
    settings.charge_quota(mode_accurate);
    toolkit.show(id);
    EXPECT_EQ(label(normal_left_label), "49");
    EXPECT_EQ(label(accurate_left_label), "9");
}

struct HotkeyCase {
    const char* name;
    int registered;  // what the platform returns
    std::string control;
    int value;
    std::vector<std::string> want_events;
};

TEST(MainWindowHotkey, BringsTheWindowToTheFrontOnlyForItsOwnHotkey) {
    const std::vector<std::string> bring_to_front = {"centre", "topmost on", "pending events", "topmost off"};
    const std::vector<HotkeyCase> cases = {
        {"its hotkey", 7, hotkey_label, 7, bring_to_front},
        {"another identifier", 7, hotkey_label, 8, {}},
        {"another control", 7, normal_left_label, 7, {}},
        {"registration failed", 0, hotkey_label, 0, {}},
    };
    for (const HotkeyCase& c : cases) {
        MainWindowRig f;
        f.toolkit.hotkey_result = c.registered;
        f.start(std::nullopt);
        EXPECT_EQ(f.handler.hotkey_id(), c.registered) << c.name;
        f.handler.feedback(c.control, c.value);
        EXPECT_EQ(f.toolkit.event_log, c.want_events) << c.name;
        EXPECT_FALSE(f.toolkit.window(f.id).topmost) << c.name;
    }
}

TEST_F(MainWindowFixture, HotkeyCentresTheWindowOnTheScreen) {
    start(std::nullopt);
    handler.feedback(hotkey_label, handler.hotkey_id());
    EXPECT_EQ(toolkit.window(id).self.left, (1920 - 263) / 2);
    EXPECT_EQ(toolkit.window(id).self.top, (1080 - 417) / 2);
}

TEST_F(MainWindowFixture, MenuItemOpensTheAboutWindow) {
    start(std::nullopt);
    handler.menu_selected("\xB3\xCC\xD0\xF2");  // 程序: the menu, not its item
    EXPECT_EQ(abouts_opened, 0);
    handler.menu_selected(about_menu_item);
    EXPECT_EQ(abouts_opened, 1);
}

struct CloseCase {
    const char* name;
    std::optional<Text> file;
    std::optional<std::string> click;  // a radio button clicked before closing
    Text want_option;
};

TEST(MainWindowClose, SavesTheChosenMode) {
    const std::vector<CloseCase> cases = {
        {"first start", std::nullopt, std::nullopt, "1"},
        {"switched to accurate", std::nullopt, std::string(accurate_radio), "2"},
        {"accurate kept across a new day", config("2", "0", "0", yesterday), std::nullopt, "2"},
        {"no mode chosen leaves the option", config("3", "1", "1", today), std::nullopt, "3"},
        {"option 3 then normal", config("3", "1", "1", today), std::string(normal_radio), "1"},
    };
    for (const CloseCase& c : cases) {
        MainWindowRig f;
        f.start(c.file);
        if (c.click) f.toolkit.click(f.id, *c.click);
        f.toolkit.destroy_window(f.id);
        EXPECT_EQ(f.stored("option"), c.want_option) << c.name;
    }
}

TEST_F(MainWindowFixture, ClosingWithoutAModeWritesNothing) {
    start(config("3", "1", "1", today));
    const auto writes_before_close = store.writes;
    toolkit.destroy_window(id);
    EXPECT_EQ(store.writes, writes_before_close);
}

TEST(MainWindowDesign, ControlsSitInGroupBoxesOfTheDesign) {
    const WindowDesign design = main_window_design();
    EXPECT_EQ(design.title, "Vorbel1.0");
    std::set<std::string> names, group_boxes;
    for (const ControlDesign& c : design.controls) {
        EXPECT_TRUE(names.insert(c.name).second) << "duplicate control " << c.name;
        if (c.kind == ControlKind::group_box) group_boxes.insert(c.name);
    }
    for (const ControlDesign& c : design.controls) {
        EXPECT_TRUE(c.container.empty() || group_boxes.count(c.container)) << c.name << " in " << c.container;
    }
    for (const char* name : {normal_radio, accurate_radio, normal_left_label, accurate_left_label,
                             recognize_button, hotkey_label}) {
        EXPECT_TRUE(names.count(name)) << "no control " << name;
    }
    ASSERT_EQ(design.menus.size(), 1u);
    EXPECT_EQ(design.menus[0].items, std::vector<std::string>{about_menu_item});
}

}  // namespace
}  // namespace vorbel
