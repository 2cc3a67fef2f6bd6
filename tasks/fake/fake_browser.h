// Browser for tests: records the addresses it is asked to open and can
// tell the test at the moment of each opening. Safe to use from several
// threads at once.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tasks/browser.h"

namespace vorbel {

class FakeBrowser : public Browser {
public:
    // `on_open` runs inside open(), after the address has been recorded.
    explicit FakeBrowser(std::function<void(const std::string&)> on_open = {});

    void open(const std::string& url) override;
    std::vector<std::string> opened() const;

private:
    std::function<void(const std::string&)> on_open_;
    mutable std::mutex mutex_;
    std::vector<std::string> opened_;
};

}  // namespace vorbel
