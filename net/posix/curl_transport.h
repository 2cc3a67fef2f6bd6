// HttpTransport over libcurl: the request goes out with exactly the verb,
// path, user agent and header lines it is given (curl adds Host and, for a
// POST, Content-Length; its own Accept, Content-Type and "Expect:
// 100-continue" are suppressed or replaced). https when the flags word holds
// flag_secure. The whole answer is read by send(); the exchange hands it out.
#pragma once

#include "net/net_timeouts.h"
#include "net/transport.h"

namespace vorbel {

class CurlTransport : public HttpTransport {
public:
    explicit CurlTransport(NetTimeouts timeouts = {});
    // Null only when the request cannot be expressed (a port out of range or
    // a host that is not a plain name); a failed transfer gives an exchange
    // with what arrived before the failure, usually nothing.
    std::unique_ptr<HttpExchange> send(const HttpRequest& request) override;

private:
    NetTimeouts timeouts_;
};

}  // namespace vorbel
