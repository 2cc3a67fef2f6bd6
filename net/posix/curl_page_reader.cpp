#include "net/posix/curl_page_reader.h"

#include "net/posix/curl_fetch.h"
#include "net/url_parts.h"

namespace vorbel {

CurlPageReader::CurlPageReader(NetTimeouts timeouts) : timeouts_(timeouts) {}

Bytes CurlPageReader::read_page(const std::string& url) {
    CurlFetch fetch;
    fetch.https = url_is_https(url);
    fetch.host = url_host(url);
    fetch.port = url_port(url);
    fetch.path = url_path(url);
    fetch.user_agent = page_reader_user_agent;
    fetch.header_lines = {"Accept: */*", "Pragma: no-cache"};
    fetch.http_1_0 = true;
    fetch.timeouts = timeouts_;

    CurlOutcome outcome = curl_fetch(fetch);
    if (!outcome.completed) return {};
    return std::move(outcome.body);
}

}  // namespace vorbel
