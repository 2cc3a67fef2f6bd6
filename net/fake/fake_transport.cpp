#include "net/fake/fake_transport.h"

#include <algorithm>
#include <cstring>

namespace vorbel {

class FakeExchange : public HttpExchange {
public:
    FakeExchange(FakeTransport& owner, FakeAnswer answer) : owner_(owner), answer_(std::move(answer)) {}

    std::size_t read(char* buffer, std::size_t capacity) override {
        {
            std::lock_guard<std::mutex> lock(owner_.mutex_);
            owner_.largest_read_ = std::max(owner_.largest_read_, capacity);
        }
        const std::size_t n = std::min(capacity, answer_.body.size() - position_);
        std::memcpy(buffer, answer_.body.data() + position_, n);
        position_ += n;
        return n;
    }

    std::string raw_headers(std::size_t limit) override {
        return answer_.raw_headers.size() >= limit ? std::string() : answer_.raw_headers;
    }

private:
    FakeTransport& owner_;
    FakeAnswer answer_;
    std::size_t position_ = 0;
};

FakeTransport::FakeTransport(Responder responder) : responder_(std::move(responder)) {}

std::unique_ptr<HttpExchange> FakeTransport::send(const HttpRequest& request) {
    Responder responder;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (refuse_) return nullptr;
        requests_.push_back(request);
        responder = responder_;
    }
    FakeAnswer answer = responder ? responder(request) : FakeAnswer{};
    return std::make_unique<FakeExchange>(*this, std::move(answer));
}

void FakeTransport::set_responder(Responder responder) {
    std::lock_guard<std::mutex> lock(mutex_);
    responder_ = std::move(responder);
}

void FakeTransport::set_refuse(bool refuse) {
    std::lock_guard<std::mutex> lock(mutex_);
    refuse_ = refuse;
}

std::vector<HttpRequest> FakeTransport::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::size_t FakeTransport::largest_read_request() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return largest_read_;
}

}  // namespace vorbel
