#include "capture/capture_window.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "capture/capture_design.h"
#include "capture/crop_bitmap.h"
#include "capture/toolbar_place.h"

namespace vorbel {

using namespace capture_names;

namespace {

constexpr int band_pen_width = 2;
constexpr std::uint32_t band_pen_yellow = 0x0000FFFF;  // 0x00BBGGRR

// The rectangle between two corners, whichever way the drag went; the
// corner pixel of the release lies outside it.
struct Rectangle {
    int left, top, width, height;
};

int to_int(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

Rectangle between(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), to_int(std::llabs(std::int64_t{x2} - x1)),
            to_int(std::llabs(std::int64_t{y2} - y1))};
}

}  // namespace

CaptureState::CaptureState()
    : cropped_image(std::make_shared<const Bytes>()), access_token(std::make_shared<const Text>()) {}

CaptureState::~CaptureState() = default;

CaptureWindow::CaptureWindow(Toolkit& toolkit, CaptureState& state, CaptureServices services)
    : toolkit_(toolkit), state_(state), services_(std::move(services)) {}

int CaptureWindow::mode() const { return services_.recognition_mode ? services_.recognition_mode() : mode_none; }

void CaptureWindow::created(WindowId self) {
    self_ = self;
    toolkit_.set_left(self_, canvas, 0);
    toolkit_.set_top(self_, canvas, 0);
    toolkit_.set_canvas_picture(self_, canvas, toolkit_.screenshot());
    toolkit_.set_visible(self_, result_panel, false);
    state_.access_token = std::make_shared<const Text>(services_.fetch_access_token ? services_.fetch_access_token()
                                                                                    : Text());
}

void CaptureWindow::activated() {
    toolkit_.set_height(self_, "", toolkit_.screen_height());
    toolkit_.set_width(self_, "", toolkit_.screen_width());
    toolkit_.set_left(self_, "", 0);
    toolkit_.set_top(self_, "", 0);
    toolkit_.set_height(self_, canvas, toolkit_.height(self_, ""));
    toolkit_.set_width(self_, canvas, toolkit_.width(self_, ""));
}

void CaptureWindow::will_be_destroyed() {
    if (services_.show_main_window) services_.show_main_window();
}

void CaptureWindow::clicked(const std::string& control) {
    if (control == cancel_button) cancel();
    else if (control == recognize_button) recognize();
    else if (control == close_button) close();
}

void CaptureWindow::key_pressed(int key) {
    if (key == key_escape) close();
}

void CaptureWindow::begin_selection() {
    // Panels handed to workers before this point now write nowhere.
    ++selection_->value;
}

void CaptureWindow::mouse_pressed(const std::string& control, int x, int y) {
    if (control != canvas) return;
    state_.drag_active = 1;
    toolkit_.set_visible(self_, toolbar, false);
    state_.select_x1 = x;
    state_.select_y1 = y;
    begin_selection();
    toolkit_.set_visible(self_, result_panel, false);
    toolkit_.set_text(self_, result_text, "");
    toolkit_.set_enabled(self_, recognize_button, true);
}

void CaptureWindow::mouse_moved(const std::string& control, int x, int y) {
    if (control != canvas) return;
    state_.cursor_x = x;
    state_.cursor_y = y;
    if (state_.drag_active != 1) return;
    toolkit_.set_pen(self_, canvas, band_pen_width, band_pen_yellow);
    toolkit_.clear_canvas(self_, canvas);
    draw_band(state_.select_x1, state_.select_y1, state_.cursor_x, state_.cursor_y);
}

void CaptureWindow::mouse_released(const std::string& control, int x, int y) {
    if (control != canvas) return;
    state_.select_x2 = x;
    state_.select_y2 = y;
    state_.drag_active = 0;
    // The band is only drawing: it goes to the last move, with whatever pen
    // the canvas has, exactly as the moves left it.
    draw_band(state_.select_x1, state_.select_y1, state_.cursor_x, state_.cursor_y);
    toolkit_.set_visible(self_, toolbar, true);
    const ToolbarPlace place = toolbar_place(state_.select_x2, state_.select_y2,
                                             std::min(state_.select_y1, state_.select_y2),
                                             toolkit_.width(self_, ""), toolkit_.height(self_, ""));
    toolkit_.set_left(self_, toolbar, place.left);
    toolkit_.set_top(self_, toolbar, place.top);
}

void CaptureWindow::draw_band(int x1, int y1, int x2, int y2) {
    toolkit_.draw_line(self_, canvas, x1, y1, x1, y2);
    toolkit_.draw_line(self_, canvas, x2, y1, x2, y2);
    toolkit_.draw_line(self_, canvas, x1, y1, x2, y1);
    toolkit_.draw_line(self_, canvas, x1, y2, x2, y2);
}

void CaptureWindow::cancel() {
    begin_selection();
    toolkit_.clear_canvas(self_, canvas);
    toolkit_.set_visible(self_, toolbar, false);
    toolkit_.set_text(self_, result_text, "");
    toolkit_.set_visible(self_, result_panel, false);
}

void CaptureWindow::recognize() {
    // The picture read back never holds the band.
    const Bytes picture = toolkit_.canvas_picture(self_, canvas);
    const Rectangle r = between(state_.select_x1, state_.select_y1, state_.select_x2, state_.select_y2);
    auto image = std::make_shared<const Bytes>(crop_bitmap(picture, r.left, r.top, r.width, r.height));
    state_.cropped_image = image;
    toolkit_.set_enabled(self_, recognize_button, false);

    const int current_mode = mode();
    if (image->empty() || (current_mode != mode_normal && current_mode != mode_accurate)) return;
    const int left = services_.quota_left ? services_.quota_left(current_mode) : 0;
    if (left <= 0) {
        toolkit_.message_box(quota_used_up_message(current_mode));
        return;
    }
    if (services_.charge_quota) services_.charge_quota(current_mode);
    RecognitionJob job;
    job.mode = current_mode;
    job.image = image;
    job.access_token = state_.access_token;
    job.panel = std::make_shared<CapturePanel>(toolkit_, self_, selection_);
    if (services_.start_recognition) services_.start_recognition(std::move(job));
}

void CaptureWindow::close() { toolkit_.destroy_window(self_); }

WindowId open_capture_window(Toolkit& toolkit, CaptureState& state, const CaptureServices& services) {
    if (state.window && toolkit.window_exists(state.window->id())) return state.window->id();
    state.window = std::make_unique<CaptureWindow>(toolkit, state, services);
    return toolkit.load_window(capture_window_design(), *state.window, false);
}

}  // namespace vorbel
