#include "net/platform_net.h"

#include "net/posix/curl_page_reader.h"
#include "net/posix/curl_transport.h"

namespace vorbel {

std::unique_ptr<HttpTransport> make_platform_transport(NetTimeouts timeouts) {
    return std::make_unique<CurlTransport>(timeouts);
}

std::unique_ptr<PageReader> make_platform_page_reader(NetTimeouts timeouts) {
    return std::make_unique<CurlPageReader>(timeouts);
}

}  // namespace vorbel
