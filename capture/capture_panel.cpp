#include "capture/capture_panel.h"

#include <future>
#include <utility>

#include "capture/capture_design.h"

namespace vorbel {

CapturePanel::CapturePanel(Toolkit& toolkit, WindowId window, std::shared_ptr<const SelectionGeneration> selection)
    : target_(std::make_shared<const Target>(
          Target{&toolkit, window, selection, selection ? selection->value : 0})),
      ui_thread_(std::this_thread::get_id()) {}

bool CapturePanel::Target::current() const {
    return selection && toolkit->window_exists(window) && selection->value == generation;
}

void CapturePanel::show_at(int left, int top) {
    // Posted tasks hold the target, never the panel: a worker may drop its
    // panel before the user-interface thread gets round to them.
    target_->toolkit->post([target = target_, left, top] {
        if (!target->current()) return;
        target->toolkit->set_visible(target->window, capture_names::result_panel, true);
        target->toolkit->set_left(target->window, capture_names::result_panel, left);
        target->toolkit->set_top(target->window, capture_names::result_panel, top);
    });
}

void CapturePanel::append(const Text& text) {
    target_->toolkit->post([target = target_, text] {
        if (!target->current()) return;
        target->toolkit->append_text(target->window, capture_names::result_text, text);
    });
}

std::optional<Text> CapturePanel::read_text() {
    if (std::this_thread::get_id() == ui_thread_) return std::nullopt;
    auto answer = std::make_shared<std::promise<std::optional<Text>>>();
    std::future<std::optional<Text>> result = answer->get_future();
    // The task alone owns the promise: if it is discarded unrun, the future
    // learns of it instead of waiting forever.
    target_->toolkit->post([target = target_, answer = std::move(answer)] {
        if (!target->current()) {
            answer->set_value(std::nullopt);
            return;
        }
        answer->set_value(target->toolkit->text(target->window, capture_names::result_text));
    });
    try {
        return result.get();
    } catch (const std::future_error&) {
        // The task was destroyed without running: the loop has ended.
        return std::nullopt;
    }
}

}  // namespace vorbel
