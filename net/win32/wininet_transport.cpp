#include "net/win32/wininet_transport.h"

#include "net/win32/internet_handle.h"

namespace vorbel {

namespace {

class WinInetExchange : public HttpExchange {
public:
    WinInetExchange(InternetHandle internet, InternetHandle connection, InternetHandle request)
        : internet_(std::move(internet)), connection_(std::move(connection)), request_(std::move(request)) {}

    std::size_t read(char* buffer, std::size_t capacity) override {
        DWORD count = 0;
        const DWORD asked = capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
        if (!InternetReadFile(request_.get(), buffer, asked, &count)) return 0;
        return count;
    }

    std::string raw_headers(std::size_t limit) override {
        std::string block(limit, ' ');
        DWORD length = static_cast<DWORD>(limit);
        if (!HttpQueryInfoA(request_.get(), HTTP_QUERY_RAW_HEADERS_CRLF, block.data(), &length, nullptr)) return {};
        if (length >= limit) return {};
        block.resize(length);
        return block;
    }

private:
    // Declared in opening order so that they close in the reverse one.
    InternetHandle internet_;
    InternetHandle connection_;
    InternetHandle request_;
};

}  // namespace

WinInetTransport::WinInetTransport(NetTimeouts timeouts) : timeouts_(timeouts) {}

std::unique_ptr<HttpExchange> WinInetTransport::send(const HttpRequest& request) {
    if (request.port < 0 || request.port > 65535) return nullptr;

    InternetHandle internet(
        InternetOpenA(request.user_agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!internet) return nullptr;
    apply_timeouts(internet.get(), timeouts_);

    InternetHandle connection(InternetConnectA(internet.get(), request.host.c_str(),
                                               static_cast<INTERNET_PORT>(request.port), nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return nullptr;
    apply_timeouts(connection.get(), timeouts_);

    // No flag that relaxes certificate checks is ever passed: a server whose
    // certificate the system does not trust gets no request, so a forged
    // server never sees the service credentials in the query.
    InternetHandle handle(HttpOpenRequestA(connection.get(), request.verb.c_str(), request.path.c_str(), "HTTP/1.1",
                                           nullptr, nullptr, request.flags, 0));
    if (!handle) return nullptr;
    apply_timeouts(handle.get(), timeouts_);

    const bool post = request.verb == "POST";
    // The result is not looked at: a failed send leaves nothing to read.
    HttpSendRequestA(handle.get(), request.headers.data(), static_cast<DWORD>(request.headers.size()),
                     post ? const_cast<char*>(request.body.data()) : nullptr,
                     post ? static_cast<DWORD>(request.body.size()) : 0);

    return std::make_unique<WinInetExchange>(std::move(internet), std::move(connection), std::move(handle));
}

}  // namespace vorbel
