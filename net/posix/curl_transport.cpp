#include "net/posix/curl_transport.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "net/posix/curl_fetch.h"

namespace vorbel {

namespace {

class CurlExchange : public HttpExchange {
public:
    explicit CurlExchange(CurlOutcome outcome) : outcome_(std::move(outcome)) {}

    std::size_t read(char* buffer, std::size_t capacity) override {
        const std::size_t count = std::min(capacity, outcome_.body.size() - position_);
        if (count > 0) std::memcpy(buffer, outcome_.body.data() + position_, count);
        position_ += count;
        return count;
    }

    std::string raw_headers(std::size_t limit) override {
        if (outcome_.raw_headers.size() >= limit) return {};
        return outcome_.raw_headers;
    }

private:
    CurlOutcome outcome_;
    std::size_t position_ = 0;
};

std::vector<std::string> split_header_block(std::string_view block) {
    std::vector<std::string> lines;
    while (!block.empty()) {
        const std::size_t end = block.find("\r\n");
        const std::string_view line = block.substr(0, end);
        if (!line.empty()) lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        block.remove_prefix(end + 2);
    }
    return lines;
}

}  // namespace

CurlTransport::CurlTransport(NetTimeouts timeouts) : timeouts_(timeouts) {}

std::unique_ptr<HttpExchange> CurlTransport::send(const HttpRequest& request) {
    CurlFetch fetch;
    fetch.https = (request.flags & flag_secure) != 0;
    fetch.host = request.host;
    fetch.port = request.port;
    fetch.path = request.path;
    fetch.user_agent = request.user_agent;
    fetch.header_lines = split_header_block(request.headers);
    fetch.post = request.verb == "POST";
    if (fetch.post) fetch.body = request.body;
    fetch.timeouts = timeouts_;

    CurlOutcome outcome = curl_fetch(fetch);
    if (outcome.refused) return nullptr;
    return std::make_unique<CurlExchange>(std::move(outcome));
}

}  // namespace vorbel
