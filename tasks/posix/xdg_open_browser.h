// Opens addresses through xdg-open, the desktop's default-application
// launcher on Linux.
#pragma once

#include <string>

#include "tasks/browser.h"

namespace vorbel {

class XdgOpenBrowser : public Browser {
public:
    // `program` is looked up in PATH unless it holds a slash.
    explicit XdgOpenBrowser(std::string program = "xdg-open");

    // Runs `program url` and waits for it to return (xdg-open hands the
    // address to the browser and returns). Does nothing when the program is
    // not installed, and refuses an empty address or one starting with "-",
    // which the launcher would take for an option.
    void open(const std::string& url) override;

private:
    std::string program_;
};

}  // namespace vorbel
