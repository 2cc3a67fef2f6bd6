// PageReader over WinInet: InternetOpenA with page_reader_user_agent and a
// direct connection, InternetConnectA, HttpOpenRequestA ("GET", "HTTP/1.0",
// reload, no cache write, pragma no-cache, secure for https, redirects to
// https followed) and HttpSendRequestA with "Accept: */*".
#pragma once

#include "net/net_timeouts.h"
#include "net/page_reader.h"

namespace vorbel {

class WinInetPageReader : public PageReader {
public:
    explicit WinInetPageReader(NetTimeouts timeouts = {});
    // The final answer's body whatever its status; empty when a handle
    // cannot be opened, the request cannot be sent or a read fails.
    Bytes read_page(const std::string& url) override;

private:
    NetTimeouts timeouts_;
};

}  // namespace vorbel
