#include "net/win32/wininet_page_reader.h"

#include "net/url_parts.h"
#include "net/win32/internet_handle.h"

namespace vorbel {

WinInetPageReader::WinInetPageReader(NetTimeouts timeouts) : timeouts_(timeouts) {}

Bytes WinInetPageReader::read_page(const std::string& url) {
    const int port = url_port(url);
    if (port < 0 || port > 65535) return {};

    InternetHandle internet(InternetOpenA(page_reader_user_agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!internet) return {};
    apply_timeouts(internet.get(), timeouts_);

    const Text host = url_host(url);
    InternetHandle connection(InternetConnectA(internet.get(), host.c_str(), static_cast<INTERNET_PORT>(port),
                                               nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};
    apply_timeouts(connection.get(), timeouts_);

    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                  INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
    // Certificate checks stay on (no INTERNET_FLAG_IGNORE_CERT_* flag): a
    // forged update page could otherwise send the user to any address.
    if (url_is_https(url)) flags |= INTERNET_FLAG_SECURE;
    const Text path = url_path(url);
    InternetHandle request(
        HttpOpenRequestA(connection.get(), "GET", path.c_str(), "HTTP/1.0", nullptr, nullptr, flags, 0));
    if (!request) return {};
    apply_timeouts(request.get(), timeouts_);

    static const char accept[] = "Accept: */*";
    if (!HttpSendRequestA(request.get(), accept, sizeof accept - 1, nullptr, 0)) return {};

    Bytes page;
    char piece[4096];
    for (;;) {
        DWORD count = 0;
        if (!InternetReadFile(request.get(), piece, sizeof piece, &count)) return {};
        if (count == 0) break;
        page.append(piece, count);
    }
    return page;
}

}  // namespace vorbel
