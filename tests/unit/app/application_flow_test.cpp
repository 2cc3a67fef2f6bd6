// The whole road of a recognition through the assembled program, with every
// platform piece faked: main_window, capture_window, a real worker thread,
// the requests it makes and what reaches the result panel.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "app/application.h"
#include "app/fake/fake_clock.h"
#include "app/fake/memory_profile_store.h"
#include "app/main_window.h"
#include "capture/capture_design.h"
#include "net/fake/fake_transport.h"
#include "tasks/fake/fake_browser.h"
#include "tasks/fake/fake_page_reader.h"
#include "tests/support/bmp_builder.h"
#include "ui/fake/fake_toolkit.h"

namespace vorbel {
namespace {

namespace cw = capture_names;

const char* const config_file = "C:\\Vorbel\\config.ini";

// Starts real threads, as the program does, but keeps them so the test can
// wait for every one before it ends.
class Threads {
public:
    void start(std::function<void()> routine) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++running_;
        threads_.emplace_back([this, routine = std::move(routine)] {
            routine();
            --running_;
        });
    }
    bool idle() const { return running_ == 0; }
    std::size_t started() {
        std::lock_guard<std::mutex> lock(mutex_);
        return threads_.size();
    }
    ~Threads() {
        for (std::thread& t : threads_) t.join();
    }

private:
    std::mutex mutex_;
    std::vector<std::thread> threads_;
    std::atomic<int> running_{0};
};

FakeAnswer stand_in(const HttpRequest& request) {
    FakeAnswer answer;
    if (request.path.rfind("/oauth/2.0/token", 0) == 0) {
        const bool accurate = request.path.find("Rk3mZ8qTw2LpVx9dNc4HbJ7s") != std::string::npos;
        answer.body = std::string("{\"access_token\":\"") + (accurate ? "tok-accurate" : "tok-general") +
                      "\",\"session_key\":\"s\",\"scope\":\"x\"}";
    } else if (request.path.rfind("/rest/2.0/ocr/v1/", 0) == 0) {
        answer.body =
            "{\"log_id\": 1, \"words_result\": [{\"words\": \"Hello\"}, {\"words\": \"big\"}, {\"words\": \"world\"}]}";
    } else if (request.path.rfind("/api/trans/vip/translate", 0) == 0) {
        answer.body = "{\"from\":\"en\",\"to\":\"zh\",\"trans_result\":[{\"src\":\"x\",\"dst\":\"\\u4f60\\u597d\"}]}";
    }
    return answer;
}

class ApplicationFlow : public ::testing::Test {
protected:
    ApplicationFlow() : transport(stand_in) {
        platform.toolkit = &toolkit;
        platform.profile = &store;
        platform.clock = &clock;
        platform.transport = &transport;
        platform.page_reader = &pages;
        platform.browser = &browser;
        platform.start_thread = [this](std::function<void()> routine) { threads.start(std::move(routine)); };
        platform.endpoints = Endpoints::defaults();
        toolkit.next_screenshot = test::build_bmp(1920, 1080);
    }

    // Runs posted tasks on this (the user-interface) thread until every
    // worker has ended, as the message loop would.
    void run_until_workers_end() {
        for (int i = 0; i < 20000 && !threads.idle(); ++i) {
            toolkit.run_posted();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        toolkit.run_posted();
        ASSERT_TRUE(threads.idle());
    }

    void drag(WindowId capture, int x1, int y1, int x2, int y2) {
        FakeToolkit::Window& w = toolkit.window(capture);
        w.handler->mouse_pressed(cw::canvas, x1, y1);
        w.handler->mouse_moved(cw::canvas, (x1 + x2) / 2, (y1 + y2) / 2);
        w.handler->mouse_moved(cw::canvas, x2, y2);
        w.handler->mouse_released(cw::canvas, x2, y2);
    }

    std::vector<HttpRequest> requests_to(const std::string& path_prefix) {
        std::vector<HttpRequest> found;
        for (const HttpRequest& r : transport.requests()) {
            if (r.path.rfind(path_prefix, 0) == 0) found.push_back(r);
        }
        return found;
    }

    Threads threads;  // declared first: joined last, after everything it uses is still alive
    FakeToolkit toolkit;
    MemoryProfileStore store;
    FakeClock clock;
    FakeTransport transport;
    FakePageReader pages;
    FakeBrowser browser;
    Platform platform;
};

TEST_F(ApplicationFlow, StartShowsCountsAndRunsBothBackgroundTasks) {
    pages.set_page(platform.endpoints.update_page, "<span class=\"v\">\xE7\x89\x88\xE6\x9C\xAC\xE5\x8F\xB7\xEF\xBC\x9A" "1.1</span>");
    Application app(platform);
    const WindowId main = app.start();
    run_until_workers_end();

    EXPECT_EQ(toolkit.text(main, normal_left_label), "50");
    EXPECT_EQ(toolkit.text(main, accurate_left_label), "10");
    EXPECT_EQ(threads.started(), 2u);
    EXPECT_EQ(requests_to("/").size(), 1u) << "one visit-counter request";
    ASSERT_EQ(toolkit.message_boxes.size(), 1u);
    EXPECT_EQ(toolkit.message_boxes[0], "\xC8\xED\xBC\xFE\xD3\xD0\xD0\xC2\xB0\xE6\xB1\xBE\xA3\xA1");  // 软件有新版本！
    EXPECT_EQ(browser.opened(), std::vector<std::string>{platform.endpoints.update_page});
    app.finish();
}

TEST_F(ApplicationFlow, RecognitionFromButtonToTranslation) {
    Application app(platform);
    const WindowId main = app.start();
    run_until_workers_end();

    toolkit.click(main, recognize_button);
    const WindowId capture = toolkit.find_window(cw::window);
    ASSERT_NE(capture, no_window);
    EXPECT_FALSE(toolkit.visible(main, ""));
    ASSERT_EQ(requests_to("/oauth/2.0/token").size(), 1u) << "the accurate token is fetched at the opening";

    drag(capture, 100, 100, 300, 250);
    toolkit.click(capture, cw::recognize_button);
    EXPECT_EQ(store.read(config_file, "config", "fr0"), "49");
    run_until_workers_end();

    const std::vector<HttpRequest> ocr = requests_to("/rest/2.0/ocr/v1/general_basic");
    ASSERT_EQ(ocr.size(), 1u);
    EXPECT_NE(ocr[0].path.find("access_token=tok-general"), std::string::npos) << ocr[0].path;
    // 200 x 150 pixels at 24 bits: 90,054 bytes, 120,072 Base64 letters, each
    // written as three characters after "image=".
    EXPECT_EQ(ocr[0].body.size(), 6u + 3u * 120072u);
    EXPECT_EQ(toolkit.text(capture, cw::result_text), "Hellobigworld\r\n\xC4\xE3\xBA\xC3");  // 你好
    EXPECT_TRUE(toolkit.visible(capture, cw::result_panel));
    EXPECT_EQ(toolkit.control(capture, cw::result_panel).left, 675);
    EXPECT_EQ(toolkit.control(capture, cw::result_panel).top, 950);

    toolkit.click(capture, cw::close_button);
    EXPECT_FALSE(toolkit.window_exists(capture));
    EXPECT_TRUE(toolkit.visible(main, ""));
    EXPECT_EQ(toolkit.text(main, normal_left_label), "49");
    app.finish();
}

TEST_F(ApplicationFlow, WorkerOutlivingItsWindowChangesNothing) {
    Application app(platform);
    const WindowId main = app.start();
    run_until_workers_end();
    toolkit.click(main, accurate_radio);
    toolkit.click(main, recognize_button);
    const WindowId capture = toolkit.find_window(cw::window);
    ASSERT_NE(capture, no_window);

    drag(capture, 10, 10, 60, 40);
    toolkit.click(capture, cw::recognize_button);
    // The window closes before the worker's changes reach it.
    toolkit.click(capture, cw::close_button);
    run_until_workers_end();

    const std::vector<HttpRequest> ocr = requests_to("/rest/2.0/ocr/v1/accurate_basic");
    ASSERT_EQ(ocr.size(), 1u);
    EXPECT_NE(ocr[0].path.find("access_token=tok-accurate"), std::string::npos) << ocr[0].path;
    EXPECT_TRUE(requests_to("/api/trans").empty()) << "a worker whose panel is gone stops before translating";
    EXPECT_EQ(store.read(config_file, "config", "fr1"), "9");
    EXPECT_TRUE(toolkit.visible(main, ""));
    app.finish();
}

}  // namespace
}  // namespace vorbel
