// One HTTP exchange through libcurl, shared by the curl transport and the
// curl page reader. The whole answer is read into memory before returning.
#pragma once

#include <string>
#include <vector>

#include "net/net_timeouts.h"

namespace vorbel {

struct CurlFetch {
    bool https = false;
    std::string host;
    int port = 0;       // 0: the scheme's default port
    std::string path;   // object path with query, as it goes into the request line
    std::string user_agent;
    std::vector<std::string> header_lines;  // sent as they are, replacing curl's own of the same name
    bool post = false;
    std::string body;   // sent with its length when `post`
    bool http_1_0 = false;
    NetTimeouts timeouts;
};

struct CurlOutcome {
    bool refused = false;     // the request could not be expressed (bad host or port); nothing was sent
    bool completed = false;   // the whole answer arrived
    long status = 0;          // status of the final answer, 0 when none arrived
    std::string body;         // the final answer's body as far as it arrived
    std::string raw_headers;  // status line and header lines of the final answer, each ended by CRLF
    std::string error;        // curl's description when not completed
};

// Performs `fetch`: direct connection, redirects followed (from http to
// http or https, from https to https only), TLS certificates checked against
// the system store. Never throws.
CurlOutcome curl_fetch(const CurlFetch& fetch);

// The address curl is given for `fetch`: scheme, host, port and path, with
// bytes that cannot stand in a URL as they are (controls, blanks, '#', bytes
// of 0x7F and above) percent-encoded so that they reach the request line
// instead of being refused or cut off.
std::string curl_address(const CurlFetch& fetch);

}  // namespace vorbel
