// Splitting an absolute URL into what the transport needs: the host to
// connect to, the port, and the object path that goes into the request line.
//
// The URL is whatever the caller built ("http://" or "https://", host,
// optional ":port", path and query); a URL without a scheme is read as http.
// None of these fail: a URL they cannot make sense of gives an empty host,
// port 0 or the path "/".
#pragma once

#include <string_view>

#include "text/text_types.h"

namespace vorbel {

// The host of `url` in lower case; with its ":port" when `keep_port` is true.
// Bytes of double-byte characters are left as they are.
Text url_host(std::string_view url, bool keep_port = false);

// The port to connect to: the number after the last ":" of the host (0 when
// no digit follows it), otherwise 443 for https and 80 for anything else.
int url_port(std::string_view url);

// The object path with its query, in the URL's own letter case, starting at
// the first "/" after the host; "/" when the URL has no path.
Text url_path(std::string_view url);

// True when the first five characters of `url`, lower-cased, are "https".
bool url_is_https(std::string_view url);

}  // namespace vorbel
