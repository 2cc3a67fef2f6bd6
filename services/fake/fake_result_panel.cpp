#include "services/fake/fake_result_panel.h"

namespace vorbel {

void FakeResultPanel::show_at(int left, int top) {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_ = true;
    left_ = left;
    top_ = top;
    calls_.push_back("show " + std::to_string(left) + " " + std::to_string(top));
}

void FakeResultPanel::append(const Text& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ += text;
    calls_.push_back("append " + text);
}

std::optional<Text> FakeResultPanel::read_text() {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back("read");
    if (gone_) return std::nullopt;
    return text_;
}

void FakeResultPanel::set_text(const Text& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ = text;
}

void FakeResultPanel::set_gone(bool gone) {
    std::lock_guard<std::mutex> lock(mutex_);
    gone_ = gone;
}

Text FakeResultPanel::text() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
}

bool FakeResultPanel::shown() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
}

int FakeResultPanel::left() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return left_;
}

int FakeResultPanel::top() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return top_;
}

std::vector<std::string> FakeResultPanel::calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

}  // namespace vorbel
