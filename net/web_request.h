// The one routine through which every HTTP call of the program goes.
//
// web_request sends one HTTP/1.1 request with the program's fixed user agent
// and header block, reads the whole answer, turns an answer in UTF-8 into
// code page 936 and returns the body as a Text. It keeps nothing between
// calls and may run on any thread at the same time as other calls (given a
// transport that allows it, as the platform transports do).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/transport.h"
#include "text/text_types.h"

namespace vorbel {

inline constexpr int method_get = 0;
inline constexpr int method_post = 1;

inline constexpr const char* request_user_agent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; VRELK; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";
inline constexpr std::size_t read_piece_size = 1024;
inline constexpr std::size_t raw_header_limit = 5000;

// Sends `body` (POST when `method` is method_post, otherwise a GET without a
// body) to `url` and returns the answer body, whatever its status: converted
// from UTF-8 when the answer says it is UTF-8, and cut before its first NUL
// byte. Returns the empty text when the transport cannot set the request up,
// the server cannot be reached, or the answer is empty; these cannot be told
// apart.
Text web_request(HttpTransport& transport, std::string_view url, int method, std::string_view body = {});

// The flags word: reload always and need-file always, plus secure for an
// https URL or ignore-redirect-to-https for any other.
std::uint32_t request_flags(std::string_view url);

// The four header lines sent with every request, joined by CRLF, without a
// CRLF after the last: Referer (the URL as passed), Accept, Accept-Language
// and Content-Type.
std::string request_header_block(std::string_view url);

// True when the answer is to be read as UTF-8: "utf-8" (exactly, lower case)
// begins within the first 499 bytes of `body`, or "utf-8" in any letter case
// appears anywhere in `raw_headers`.
bool answer_is_utf8(std::string_view body, std::string_view raw_headers);

// The request web_request hands to the transport for `url`, `method` and
// `body`.
HttpRequest build_request(std::string_view url, int method, std::string_view body);

}  // namespace vorbel
