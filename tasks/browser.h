// Opens an address in the user's default web browser.
#pragma once

#include <string>

namespace vorbel {

class Browser {
public:
    virtual ~Browser() = default;
    // Hands `url` to the system's default browser, shown normally. Failures
    // are silent.
    virtual void open(const std::string& url) = 0;
};

}  // namespace vorbel
