// The program, put together from the platform's pieces.
#pragma once

#include <functional>
#include <memory>

#include "net/endpoints.h"
#include "ui/toolkit.h"

namespace vorbel {

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

// The windows and the program-wide values between start and end. Every
// platform piece must outlive the Application and every worker it starts;
// the program's entry keeps them until the process ends.
class Application {
public:
    explicit Application(Platform& platform);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Loads main_window (its created event starts the background tasks) and
    // returns its identifier.
    WindowId start();
    // The exit step: releases the latest image and token. Workers still
    // running keep their own copies.
    void finish();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// start(), the message loop until main_window has been closed, finish().
// Returns the exit code (0).
int run_application(Platform& platform);

}  // namespace vorbel
