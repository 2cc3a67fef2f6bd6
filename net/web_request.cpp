#include "net/web_request.h"

#include <memory>

#include "net/charset.h"
#include "net/url_parts.h"

namespace vorbel {

namespace {

constexpr std::string_view utf8_marker = "utf-8";
// The body's marker counts only when it begins at a 0-based offset below this.
constexpr std::size_t utf8_marker_window = 499;

bool contains_ignoring_case(std::string_view text, std::string_view sought) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (sought.size() > text.size()) return false;
    for (std::size_t i = 0; i + sought.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < sought.size() && lower(text[i + k]) == lower(sought[k])) ++k;
        if (k == sought.size()) return true;
    }
    return false;
}

Bytes read_whole_answer(HttpExchange& exchange) {
    Bytes answer;
    char piece[read_piece_size];
    for (;;) {
        const std::size_t count = exchange.read(piece, sizeof piece);
        if (count == 0) break;
        // A transport must never report more than it was asked for; should
        // one do so, only the buffer's worth is trusted.
        answer.append(piece, count < sizeof piece ? count : sizeof piece);
    }
    return answer;
}

}  // namespace

std::uint32_t request_flags(std::string_view url) {
    std::uint32_t flags = flag_reload | flag_need_file;
    flags |= url_is_https(url) ? flag_secure : flag_ignore_redirect_to_https;
    return flags;
}

std::string request_header_block(std::string_view url) {
    std::string block = "Referer: ";
    block += url;
    block += "\r\nAccept: */*";
    block += "\r\nAccept-Language: zh-cn";
    block += "\r\nContent-Type: application/x-www-form-urlencoded";
    return block;
}

bool answer_is_utf8(std::string_view body, std::string_view raw_headers) {
    const std::size_t at = body.find(utf8_marker);
    if (at != std::string_view::npos && at < utf8_marker_window) return true;
    return contains_ignoring_case(raw_headers, utf8_marker);
}

HttpRequest build_request(std::string_view url, int method, std::string_view body) {
    HttpRequest request;
    request.user_agent = request_user_agent;
    request.host = url_host(url);
    request.port = url_port(url);
    request.verb = method == method_post ? "POST" : "GET";
    request.path = url_path(url);
    request.flags = request_flags(url);
    request.headers = request_header_block(url);
    if (method == method_post) request.body = std::string(body);
    return request;
}

Text web_request(HttpTransport& transport, std::string_view url, int method, std::string_view body) {
    Bytes answer;
    std::string headers;
    {
        std::unique_ptr<HttpExchange> exchange = transport.send(build_request(url, method, body));
        if (!exchange) return {};
        answer = read_whole_answer(*exchange);
        headers = exchange->raw_headers(raw_header_limit);
    }  // the exchange (and with it every handle) is closed before the answer is examined

    if (answer_is_utf8(answer, headers)) answer = convert_charset(answer);
    const std::size_t nul = answer.find('\0');
    if (nul != Bytes::npos) answer.resize(nul);
    return answer;
}

}  // namespace vorbel
