// HttpTransport over WinInet: InternetOpenA with the request's user agent
// and a direct connection, InternetConnectA, HttpOpenRequestA ("HTTP/1.1",
// the request's flags word), HttpSendRequestA with the header block and the
// body; the exchange reads with InternetReadFile and answers the header
// query with HttpQueryInfoA(HTTP_QUERY_RAW_HEADERS_CRLF). Each send owns its
// three handles; they are closed, request first, when the exchange ends.
#pragma once

#include "net/net_timeouts.h"
#include "net/transport.h"

namespace vorbel {

class WinInetTransport : public HttpTransport {
public:
    explicit WinInetTransport(NetTimeouts timeouts = {});
    // Null when a handle cannot be opened or the port does not fit a port
    // number; a send that fails (unreachable server, refused certificate)
    // gives an exchange whose reads deliver nothing.
    std::unique_ptr<HttpExchange> send(const HttpRequest& request) override;

private:
    NetTimeouts timeouts_;
};

}  // namespace vorbel
