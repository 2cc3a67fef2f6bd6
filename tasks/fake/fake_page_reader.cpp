#include "tasks/fake/fake_page_reader.h"

namespace vorbel {

void FakePageReader::set_page(const std::string& url, const Bytes& body) {
    std::lock_guard<std::mutex> lock(mutex_);
    pages_[url] = body;
}

Bytes FakePageReader::read_page(const std::string& url) {
    std::lock_guard<std::mutex> lock(mutex_);
    reads_.push_back(url);
    const auto found = pages_.find(url);
    return found == pages_.end() ? Bytes() : found->second;
}

std::vector<std::string> FakePageReader::reads() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reads_;
}

}  // namespace vorbel
