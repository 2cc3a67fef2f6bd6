#include "net/url_parts.h"

#include <climits>
#include <string>

#include "text/text_extract.h"

namespace vorbel {

namespace {

// ASCII letters to lower case; a lead byte of 0x80 or above and the byte
// after it form one double-byte character and stay untouched, so a trail
// byte in the A..Z range is never changed.
std::string lower_ascii(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 0x80) {
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool starts_with_lower(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && lower_ascii(text.substr(0, prefix.size())) == prefix;
}

}  // namespace

bool url_is_https(std::string_view url) {
    return starts_with_lower(url, "https");
}

Text url_host(std::string_view url, bool keep_port) {
    std::string s = lower_ascii(url);
    if (s.empty() || s.back() != '/') s += '/';

    Text host;
    if (s.compare(0, 8, "https://") == 0) {
        host = text_between(s, "https://", "/");
    } else {
        if (s.find("http://") == std::string::npos) s.insert(0, "http://");
        host = text_between(s, "http://", "/");
    }
    if (!keep_port) {
        const std::size_t colon = host.find(':');
        if (colon != std::string::npos) host.resize(colon);
    }
    return host;
}

int url_port(std::string_view url) {
    const Text host = url_host(url, true);
    const std::size_t colon = host.rfind(':');
    if (colon == std::string::npos) return url_is_https(url) ? 443 : 80;

    // Only the leading digits count; a number too large for a port is kept
    // large (and refused by the transport) instead of wrapping round.
    long long port = 0;
    for (std::size_t i = colon + 1; i < host.size() && host[i] >= '0' && host[i] <= '9'; ++i) {
        port = port * 10 + (host[i] - '0');
        if (port > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(port);
}

Text url_path(std::string_view url) {
    const Text host = url_host(url);
    // The host is looked for after the scheme, so that a host whose name
    // also occurs in "https://" (such as "tp") is not found inside it.
    int from = 1;
    if (starts_with_lower(url, "https://")) {
        from = 9;
    } else if (starts_with_lower(url, "http://")) {
        from = 8;
    }
    int start = host.empty() ? from : locate_text(url, host, from, true);
    if (start < 1) start = from;
    const std::size_t slash = url.find('/', static_cast<std::size_t>(start - 1));
    if (slash == std::string_view::npos) return "/";
    return Text(url.substr(slash));
}

}  // namespace vorbel
