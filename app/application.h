// The program, put together from the platform's pieces.
#pragma once

#include <functional>

#include "net/endpoints.h"

namespace vorbel {

class Toolkit;
class ProfileStore;
class Clock;
class HttpTransport;
class PageReader;
class Browser;

struct Platform {
    Toolkit* toolkit = nullptr;
    ProfileStore* profile = nullptr;
    Clock* clock = nullptr;
    HttpTransport* transport = nullptr;
    PageReader* page_reader = nullptr;
    Browser* browser = nullptr;
    // Runs a routine on a new thread that is never waited for.
    std::function<void(std::function<void()>)> start_thread;
    Endpoints endpoints;
};

// Loads main_window, runs the message loop until it has been closed, then
// releases the program's globals. Returns the exit code (0).
int run_application(Platform& platform);

}  // namespace vorbel
