// Transport for tests: records every request and answers from a routine the
// test supplies. Safe to use from several threads at once.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "net/transport.h"

namespace vorbel {

struct FakeAnswer {
    std::string body;
    std::string raw_headers = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";
};

class FakeTransport : public HttpTransport {
public:
    using Responder = std::function<FakeAnswer(const HttpRequest&)>;

    // Without a responder every request gets an empty 200 answer.
    explicit FakeTransport(Responder responder = {});

    std::unique_ptr<HttpExchange> send(const HttpRequest& request) override;

    void set_responder(Responder responder);
    // When true, send() returns null as if no handle could be opened.
    void set_refuse(bool refuse);
    std::vector<HttpRequest> requests() const;
    std::size_t largest_read_request() const;  // largest capacity asked of read()

private:
    friend class FakeExchange;
    mutable std::mutex mutex_;
    Responder responder_;
    bool refuse_ = false;
    std::vector<HttpRequest> requests_;
    std::size_t largest_read_ = 0;
};

}  // namespace vorbel
