// capture_window: the full-screen screenshot on which the user drags a
// rectangle, with the toolbar that cancels, recognizes or closes.
#pragma once

#include <functional>
#include <memory>

#include "capture/capture_panel.h"
#include "services/recognition_job.h"
#include "text/text_types.h"
#include "ui/toolkit.h"

namespace vorbel {

// What the capture window needs from the rest of the program. Every function
// is called on the user-interface thread; an empty function counts as one
// that does nothing and returns 0 or the empty text.
struct CaptureServices {
    // Blocking request of the accurate account's token; empty on failure.
    std::function<Text()> fetch_access_token;
    // Recognitions left today for mode_normal or mode_accurate.
    std::function<int(int mode)> quota_left;
    // Takes one recognition off the mode's count; done before the worker starts.
    std::function<void(int mode)> charge_quota;
    // Starts the worker of `job.mode` on a thread of its own, not waited for.
    std::function<void(RecognitionJob job)> start_recognition;
    // Makes main_window visible again.
    std::function<void()> show_main_window;
    // The mode chosen in main_window: mode_none, mode_normal or mode_accurate.
    std::function<int()> recognition_mode;
};

class CaptureWindow;

// The capture window's values that outlive it: they start at 0 or empty and
// keep their values from one opening to the next. User-interface thread only;
// workers get their own snapshots of the image and the token.
struct CaptureState {
    CaptureState();
    ~CaptureState();

    int drag_active = 0;  // 1 from a press on the canvas until its release
    int select_x1 = 0, select_y1 = 0;  // latest press
    int select_x2 = 0, select_y2 = 0;  // latest release
    int cursor_x = 0, cursor_y = 0;    // latest mouse move over the canvas
    std::shared_ptr<const Bytes> cropped_image;  // latest recognized selection
    std::shared_ptr<const Text> access_token;    // fetched at the latest opening

    // The handler of the latest opening; kept until the next one, since the
    // toolkit does not own handlers.
    std::unique_ptr<CaptureWindow> window;
};

// Events of capture_window. One object per opening.
class CaptureWindow final : public WindowHandler {
public:
    CaptureWindow(Toolkit& toolkit, CaptureState& state, CaptureServices services);

    WindowId id() const { return self_; }

    // Canvas to (0, 0), the screenshot as its picture, result panel hidden,
    // then the blocking token request; the window shows after it returns.
    void created(WindowId self) override;
    // Stretches the window, then the canvas, over the whole screen.
    void activated() override;
    void will_be_destroyed() override;
    void clicked(const std::string& control) override;
    void mouse_pressed(const std::string& control, int x, int y) override;
    void mouse_moved(const std::string& control, int x, int y) override;
    void mouse_released(const std::string& control, int x, int y) override;
    // Escape closes the window, as the close button does.
    void key_pressed(int key) override;

private:
    void cancel();
    void recognize();
    void close();
    void draw_band(int x1, int y1, int x2, int y2);
    void begin_selection();
    int mode() const;

    Toolkit& toolkit_;
    CaptureState& state_;
    CaptureServices services_;
    WindowId self_ = no_window;
    std::shared_ptr<SelectionGeneration> selection_ = std::make_shared<SelectionGeneration>();
};

// Loads capture_window without waiting for it to close and returns its
// identifier. While the window of an earlier opening still exists, that one
// is returned instead and nothing new opens.
WindowId open_capture_window(Toolkit& toolkit, CaptureState& state, const CaptureServices& services);

}  // namespace vorbel
