// What a recognition or translation worker needs besides its job: where to
// send its requests and how, the screen it places the result panel on, and
// where its random numbers come from. Everything here is fixed for the life
// of the program, so a worker may copy the context onto its own thread; the
// transport and the endpoints must outlive every worker started with it.
#pragma once

#include <functional>

#include "net/endpoints.h"
#include "net/transport.h"

namespace vorbel {

struct ServiceContext {
    HttpTransport& transport;     // safe to use from several threads at once
    const Endpoints& endpoints;   // hosts and accounts; read only
    int screen_width = 0;         // primary screen, physical pixels
    int screen_height = 0;
    // A uniformly drawn integer in [low, high], both inclusive; must be safe
    // to call from several threads at once (random_between in
    // services/random_source.h is).
    std::function<int(int low, int high)> random_between;
};

}  // namespace vorbel
