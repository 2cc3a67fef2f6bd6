// The result panel of capture_window as a recognition worker writes to it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "services/result_panel.h"
#include "ui/toolkit.h"

namespace vorbel {

// Counts the selections begun in one capture window. A press on the canvas
// or cancel starts a new one, which makes every panel handed out before it
// stale. Read and changed on the user-interface thread only.
struct SelectionGeneration {
    std::uint64_t value = 0;
};

// One worker's view of 分组框2 and 编辑框1. Every call is posted to the
// user-interface thread, so a worker's calls take effect in the order it made
// them; there a call is dropped when the window has been destroyed or a new
// selection has begun since the panel was made.
class CapturePanel final : public ResultPanel {
public:
    // Made on the user-interface thread, for the selection that is current
    // in `window` now. `toolkit` must outlive every posted call.
    CapturePanel(Toolkit& toolkit, WindowId window, std::shared_ptr<const SelectionGeneration> selection);

    // Posts: show 分组框2, then set its left, then its top. Never blocks.
    void show_at(int left, int top) override;
    // Posts: append `text` to 编辑框1. Never blocks.
    void append(const Text& text) override;
    // Waits until the user-interface thread has run every earlier call of
    // this panel and returns the text of 编辑框1; nothing when the panel is
    // stale, and nothing when the posted read is discarded unrun (the
    // message loop has ended). Must not be called on the user-interface
    // thread, which would wait for itself: there it returns nothing at once.
    std::optional<Text> read_text() override;

private:
    struct Target {
        Toolkit* toolkit;
        WindowId window;
        std::shared_ptr<const SelectionGeneration> selection;
        std::uint64_t generation;
        // User-interface thread only.
        bool current() const;
    };

    std::shared_ptr<const Target> target_;
    std::thread::id ui_thread_;
};

}  // namespace vorbel
