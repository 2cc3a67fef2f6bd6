// The network pieces of the platform the program runs on: WinInet on
// Windows, libcurl elsewhere. Both connect directly (no proxy), check TLS
// certificates against the system's trusted authorities, follow redirects,
// never answer from a cache, and are safe to use from several threads at
// once. See net/net_timeouts.h for how long they wait.
#pragma once

#include <memory>

#include "net/net_timeouts.h"
#include "net/page_reader.h"
#include "net/transport.h"

namespace vorbel {

// The transport under web_request. Never null.
std::unique_ptr<HttpTransport> make_platform_transport(NetTimeouts timeouts = {});

// The page reader of the update check. Never null.
std::unique_ptr<PageReader> make_platform_page_reader(NetTimeouts timeouts = {});

}  // namespace vorbel
