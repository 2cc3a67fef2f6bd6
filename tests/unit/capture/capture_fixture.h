// A capture window over the fake toolkit, with services that record what
// the window asks of them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "capture/capture_design.h"
#include "capture/capture_window.h"
#include "tests/support/bmp_builder.h"
#include "ui/fake/fake_toolkit.h"

namespace vorbel::test {

struct RecordedServices {
    int mode = mode_normal;
    std::map<int, int> quota{{mode_normal, 50}, {mode_accurate, 10}};
    std::vector<Text> tokens{"token-1", "token-2", "token-3"};
    int token_requests = 0;
    std::vector<int> charges;
    std::vector<RecognitionJob> jobs;
    int main_window_shown = 0;
    std::function<void()> on_token_request;

    CaptureServices services() {
        CaptureServices s;
        s.fetch_access_token = [this] {
            if (on_token_request) on_token_request();
            const Text token = token_requests < static_cast<int>(tokens.size()) ? tokens[token_requests] : Text();
            ++token_requests;
            return token;
        };
        s.quota_left = [this](int m) { return quota[m]; };
        s.charge_quota = [this](int m) {
            charges.push_back(m);
            --quota[m];
        };
        s.start_recognition = [this](RecognitionJob job) { jobs.push_back(std::move(job)); };
        s.show_main_window = [this] { ++main_window_shown; };
        s.recognition_mode = [this] { return mode; };
        return s;
    }
};

class CaptureFixture {
public:
    explicit CaptureFixture(int screen_width = 320, int screen_height = 240)
        : toolkit(screen_width, screen_height) {
        toolkit.next_screenshot = build_bmp(screen_width, screen_height, 24);
    }

    WindowId open() { return window = open_capture_window(toolkit, state, recorded.services()); }

    void press(int x, int y) { handler().mouse_pressed(capture_names::canvas, x, y); }
    void move(int x, int y) { handler().mouse_moved(capture_names::canvas, x, y); }
    void release(int x, int y) { handler().mouse_released(capture_names::canvas, x, y); }
    void drag(int x1, int y1, int x2, int y2) {
        press(x1, y1);
        move((x1 + x2) / 2, (y1 + y2) / 2);
        move(x2, y2);
        release(x2, y2);
    }
    void click(const char* control) { toolkit.click(window, control); }
    WindowHandler& handler() { return *toolkit.window(window).handler; }

    std::vector<std::string>& canvas_log() { return toolkit.window(window).canvas_log; }
    bool visible(const char* control) { return toolkit.visible(window, control); }

    FakeToolkit toolkit;
    CaptureState state;
    RecordedServices recorded;
    WindowId window = no_window;
};

}  // namespace vorbel::test
