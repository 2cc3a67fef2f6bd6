// The HTTP transport under web_request.
//
// web_request decides everything that can be decided without a network (the
// verb, the flags word, the header block, how the answer is assembled and
// converted); a transport only carries one request and hands back the answer
// piece by piece. One implementation per platform, plus a fake for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vorbel {

// Request flags, in the values the Windows transport hands to the system.
inline constexpr std::uint32_t flag_reload = 0x80000000u;               // never from a cache
inline constexpr std::uint32_t flag_need_file = 0x00000010u;            // no effect on the answer
inline constexpr std::uint32_t flag_secure = 0x00800000u;               // TLS
inline constexpr std::uint32_t flag_ignore_redirect_to_https = 0x00004000u;  // follow http->https

struct HttpRequest {
    std::string user_agent;
    std::string host;  // lower case, without port
    int port = 80;
    std::string verb;  // "GET" or "POST"
    std::string path;  // object path with query
    std::uint32_t flags = 0;
    std::string headers;  // header lines joined by CRLF, no CRLF after the last
    std::string body;     // sent as is; empty for GET
};

// One request on its way: created by HttpTransport::send.
class HttpExchange {
public:
    virtual ~HttpExchange() = default;
    // Copies the next piece of the final answer's body (transfer coding
    // removed) into `buffer`, at most `capacity` bytes. Returns the count;
    // 0 at the end of the body and on any failure.
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
    // The status line and every header line of the final answer, each ended
    // by CRLF. Empty when the block is `limit` bytes or longer (it would not
    // fit a buffer of that size with its NUL) or the query fails.
    virtual std::string raw_headers(std::size_t limit) = 0;
};

class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    // Sends `request`. Returns null only when the transport cannot even set
    // the request up (no handle could be opened); a server that cannot be
    // reached gives an exchange whose reads deliver nothing.
    virtual std::unique_ptr<HttpExchange> send(const HttpRequest& request) = 0;
};

}  // namespace vorbel
