#include "tasks/fake/fake_browser.h"

#include <utility>

namespace vorbel {

FakeBrowser::FakeBrowser(std::function<void(const std::string&)> on_open) : on_open_(std::move(on_open)) {}

void FakeBrowser::open(const std::string& url) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        opened_.push_back(url);
    }
    if (on_open_) on_open_(url);
}

std::vector<std::string> FakeBrowser::opened() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return opened_;
}

}  // namespace vorbel
