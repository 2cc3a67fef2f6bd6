#include "capture/capture_panel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/capture/capture_fixture.h"

namespace vorbel {
namespace {

using namespace capture_names;
using test::CaptureFixture;

// A capture window with one recognized selection whose job holds the panel.
std::shared_ptr<ResultPanel> recognized_panel(CaptureFixture& f) {
    f.drag(10, 10, 50, 50);
    f.click(recognize_button);
    if (f.recorded.jobs.empty()) return nullptr;
    return f.recorded.jobs.back().panel;
}

TEST(CapturePanel, CallsTakeEffectOnTheUserInterfaceThreadInOrder) {
    CaptureFixture f;
    f.open();
    auto panel = recognized_panel(f);
    ASSERT_TRUE(panel);
    panel->show_at(675, 950);
    panel->append("Hello");
    panel->append("big");
    EXPECT_FALSE(f.visible(result_panel)) << "nothing happens before the posted calls run";
    f.toolkit.run_posted();
    EXPECT_TRUE(f.visible(result_panel));
    EXPECT_EQ(f.toolkit.control(f.window, result_panel).left, 675);
    EXPECT_EQ(f.toolkit.control(f.window, result_panel).top, 950);
    EXPECT_EQ(f.toolkit.text(f.window, result_text), "Hellobig");
}

TEST(CapturePanel, StalePanelsWriteNothing) {
    struct Case {
        const char* name;
        std::function<void(CaptureFixture&)> make_stale;
    };
    const Case cases[] = {
        {"new press", [](CaptureFixture& f) { f.press(5, 5); }},
        {"cancel", [](CaptureFixture& f) { f.click(cancel_button); }},
        {"window closed", [](CaptureFixture& f) { f.click(close_button); }},
        {"window closed and opened again", [](CaptureFixture& f) { f.click(close_button), f.open(); }},
    };
    for (const Case& c : cases) {
        CaptureFixture f;
        f.open();
        auto panel = recognized_panel(f);
        ASSERT_TRUE(panel) << c.name;
        panel->append("early ");  // posted before, but runs after the change: dropped too
        c.make_stale(f);
        panel->show_at(1, 2);
        panel->append("late");
        f.toolkit.run_posted();
        if (f.toolkit.window_exists(f.window)) {
            EXPECT_FALSE(f.visible(result_panel)) << c.name;
            EXPECT_EQ(f.toolkit.text(f.window, result_text), "") << c.name;
        }
    }
}

TEST(CapturePanel, ReadTextWaitsForEarlierCallsAndIsEmptyWhenGone) {
    CaptureFixture f;
    f.open();
    auto panel = recognized_panel(f);
    ASSERT_TRUE(panel);
    std::optional<Text> read;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        panel->append("one ");
        panel->append("two");
        read = panel->read_text();
        done = true;
    });
    while (!done) f.toolkit.run_posted();
    worker.join();
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, "one two");

    f.press(1, 1);
    std::optional<Text> stale_read{"not read"};
    std::thread stale([&] { stale_read = panel->read_text(); });
    while (f.toolkit.posted_count() == 0) std::this_thread::yield();
    f.toolkit.run_posted();
    stale.join();
    EXPECT_EQ(stale_read, std::nullopt);
}

TEST(CapturePanel, ReadTextOnTheUserInterfaceThreadDoesNotWait) {
    CaptureFixture f;
    f.open();
    auto panel = recognized_panel(f);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->read_text(), std::nullopt);
    EXPECT_EQ(f.toolkit.posted_count(), 0u) << "nothing was posted that nobody waits for";
}

TEST(CapturePanel, ReadTextReturnsWhenThePostedReadIsDiscarded) {
    std::optional<Text> read{"not read"};
    std::thread worker;
    {
        CaptureFixture f;
        f.open();
        auto panel = recognized_panel(f);
        ASSERT_TRUE(panel);
        worker = std::thread([&read, panel] { read = panel->read_text(); });
        while (f.toolkit.posted_count() == 0) std::this_thread::yield();
        // The fixture goes away with the read still queued: its loop has ended.
    }
    worker.join();
    EXPECT_EQ(read, std::nullopt);
}

// Workers write through their panels while the user-interface thread runs
// posted tasks, starts new selections and closes the window.
TEST(CapturePanel, WorkersWritingWhileTheUserSelectsAgain) {
    constexpr int writes = 200;
    CaptureFixture f;
    f.open();
    auto stale = recognized_panel(f);
    auto current = recognized_panel(f);  // its press made `stale` stale
    ASSERT_TRUE(stale && current);

    std::string want;
    for (int i = 0; i < writes; ++i) want += "b" + std::to_string(i) + ";";

    std::atomic<int> running{2};
    std::optional<Text> current_read;
    std::thread stale_worker([&] {
        stale->show_at(1, 1);
        for (int i = 0; i < writes; ++i) stale->append("a" + std::to_string(i) + ";");
        --running;
    });
    std::thread current_worker([&] {
        current->show_at(675, 950);
        for (int i = 0; i < writes; ++i) current->append("b" + std::to_string(i) + ";");
        current_read = current->read_text();
        --running;
    });
    while (running > 0) {
        f.toolkit.run_posted();
        // Whatever has arrived so far is a prefix of the current worker's writes.
        const Text shown = f.toolkit.text(f.window, result_text);
        ASSERT_EQ(want.compare(0, shown.size(), shown), 0) << shown;
        std::this_thread::yield();
    }
    stale_worker.join();
    current_worker.join();
    f.toolkit.run_posted();
    ASSERT_TRUE(current_read);
    EXPECT_EQ(*current_read, want);
    EXPECT_EQ(f.toolkit.text(f.window, result_text), want);
    EXPECT_EQ(f.toolkit.control(f.window, result_panel).left, 675);

    // A press in the middle of a worker's writes: from then on it writes nothing.
    auto interrupted = recognized_panel(f);
    ASSERT_TRUE(interrupted);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < writes * 10; ++i) interrupted->append("c");
        done = true;
    });
    while (f.toolkit.text(f.window, result_text).empty()) f.toolkit.run_posted();
    f.press(7, 7);
    while (!done) f.toolkit.run_posted();
    writer.join();
    f.toolkit.run_posted();
    EXPECT_EQ(f.toolkit.text(f.window, result_text), "");

    // The window closes while a worker still writes; its read comes after.
    auto orphan = recognized_panel(f);
    ASSERT_TRUE(orphan);
    std::optional<Text> orphan_read{"not read"};
    std::atomic<bool> closed{false};
    done = false;
    std::thread late([&] {
        for (int i = 0; i < writes; ++i) orphan->append("d");
        while (!closed) std::this_thread::yield();
        for (int i = 0; i < writes; ++i) orphan->append("e");
        orphan_read = orphan->read_text();
        done = true;
    });
    f.toolkit.run_posted();
    f.click(close_button);
    closed = true;
    while (!done) f.toolkit.run_posted();
    late.join();
    EXPECT_EQ(orphan_read, std::nullopt);
    EXPECT_EQ(f.recorded.main_window_shown, 1);
}

}  // namespace
}  // namespace vorbel
