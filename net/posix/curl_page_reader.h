// PageReader over libcurl: an HTTP/1.0 GET with "Accept: */*", "Pragma:
// no-cache" and page_reader_user_agent, direct, TLS checked, redirects
// followed.
#pragma once

#include "net/net_timeouts.h"
#include "net/page_reader.h"

namespace vorbel {

class CurlPageReader : public PageReader {
public:
    explicit CurlPageReader(NetTimeouts timeouts = {});
    // The final answer's body whatever its status; empty when the address
    // cannot be read or the transfer fails or stalls before its end.
    Bytes read_page(const std::string& url) override;

private:
    NetTimeouts timeouts_;
};

}  // namespace vorbel
