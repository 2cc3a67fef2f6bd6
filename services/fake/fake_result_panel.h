// Result panel for tests: keeps the edit box's text, the position it was
// shown at and the list of calls made on it, and can play a panel that is
// gone. Safe to use from several threads at once.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "services/result_panel.h"

namespace vorbel {

class FakeResultPanel : public ResultPanel {
public:
    // Records "show <left> <top>".
    void show_at(int left, int top) override;
    // Records "append <text>" and adds the text to the box.
    void append(const Text& text) override;
    // Records "read"; the box's text, or nothing once set_gone(true).
    std::optional<Text> read_text() override;

    // What the box holds before the worker comes (the edit box is not
    // always empty when a worker starts).
    void set_text(const Text& text);
    // A gone panel still records calls but reads back nothing.
    void set_gone(bool gone);

    Text text() const;
    bool shown() const;
    int left() const;
    int top() const;
    std::vector<std::string> calls() const;

private:
    mutable std::mutex mutex_;
    Text text_;
    bool shown_ = false;
    bool gone_ = false;
    int left_ = 0;
    int top_ = 0;
    std::vector<std::string> calls_;
};

}  // namespace vorbel
