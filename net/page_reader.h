// Reads a web page for the update check: an HTTP/1.0 GET with "Accept: */*"
// and its own user agent, no cache, direct connection, TLS for https,
// redirects followed.
#pragma once

#include <string>

#include "text/text_types.h"

namespace vorbel {

inline constexpr const char* page_reader_user_agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

class PageReader {
public:
    virtual ~PageReader() = default;
    // The body of the answer whatever its status; empty when the connection
    // or the request fails.
    virtual Bytes read_page(const std::string& url) = 0;
};

}  // namespace vorbel
