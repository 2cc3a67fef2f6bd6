#include "net/platform_net.h"

#include "net/win32/wininet_page_reader.h"
#include "net/win32/wininet_transport.h"

namespace vorbel {

std::unique_ptr<HttpTransport> make_platform_transport(NetTimeouts timeouts) {
    return std::make_unique<WinInetTransport>(timeouts);
}

std::unique_ptr<PageReader> make_platform_page_reader(NetTimeouts timeouts) {
    return std::make_unique<WinInetPageReader>(timeouts);
}

}  // namespace vorbel
