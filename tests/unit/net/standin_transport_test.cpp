// The platform transport and page reader against the local stand-in server:
// what goes out on the wire and what comes back. The same cases run on
// every platform (libcurl on Linux, WinInet under Wine).
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "net/platform_net.h"
#include "net/url_parts.h"
#include "net/web_request.h"
#include "tests/support/standin.h"

namespace vorbel {
namespace {

struct EchoedRequest {
    std::string request_line;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // Every value sent under `name` (letter case ignored).
    std::vector<std::string> values(const std::string& name) const {
        std::vector<std::string> found;
        auto lower = [](std::string s) {
            std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
            return s;
        };
        for (const auto& [key, value] : headers) {
            if (lower(key) == lower(name)) found.push_back(value);
        }
        return found;
    }
};

// The stand-in's /echo answer: request line, header lines, empty line, body.
EchoedRequest parse_echo(const std::string& answer) {
    EchoedRequest echoed;
    const std::size_t head_end = answer.find("\r\n\r\n");
    if (head_end == std::string::npos) return echoed;
    echoed.body = answer.substr(head_end + 4);
    std::size_t at = 0;
    bool first = true;
    while (at < head_end) {
        std::size_t end = answer.find("\r\n", at);
        if (end == std::string::npos || end > head_end) end = head_end;
        const std::string line = answer.substr(at, end - at);
        at = end + 2;
        if (first) {
            echoed.request_line = line;
            first = false;
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        echoed.headers.emplace_back(line.substr(0, colon), value);
    }
    return echoed;
}

// Reads everything an exchange delivers, in the transport's own pieces.
std::string read_all(HttpExchange& exchange) {
    std::string all;
    char piece[1024];
    while (const std::size_t count = exchange.read(piece, sizeof piece)) all.append(piece, count);
    return all;
}

class StandinTransport : public ::testing::Test {
protected:
    void SetUp() override {
        auto found = standin_ports();
        if (!found) GTEST_SKIP() << standin_missing_reason();
        ports = *found;
    }

    std::string http_url(const std::string& path) const {
        return "http://localhost:" + std::to_string(ports.http) + path;
    }
    std::string https_url(const std::string& path) const {
        return "https://localhost:" + std::to_string(ports.https) + path;
    }

    StandinPorts ports;
    // Under the sanitizers one TLS request costs about half a second of CPU
    // and eight at once on two cores would overrun the normal 5-second
    // connect limit, which also covers the handshake.
    const NetTimeouts patient{30000, 30000};
};

TEST_F(StandinTransport, RequestGoesOutAsBuilt) {
    struct Case {
        std::string name;
        std::string url;
        int method;
        std::string body;
        std::string want_request_line;
    };
    const std::string binary_body("image=%51\x00\xC4\xE3\xFF", 12);
    const Case cases[] = {
        {"http GET", http_url("/echo?a=1&B=%41"), method_get, "", "GET /echo?a=1&B=%41 HTTP/1.1"},
        {"https GET", https_url("/echo"), method_get, "", "GET /echo HTTP/1.1"},
        {"https POST with body", https_url("/echo?access_token=24.x"), method_post, "image=%51%6B%30%3D",
         "POST /echo?access_token=24.x HTTP/1.1"},
        {"https POST with empty body", https_url("/echo?grant_type=client_credentials"), method_post, "",
         "POST /echo?grant_type=client_credentials HTTP/1.1"},
        {"http POST with NUL and high bytes", http_url("/echo"), method_post, binary_body,
         "POST /echo HTTP/1.1"},
        // A large upload must go out at once, not held back behind
        // "Expect: 100-continue".
        {"https POST with a large body", https_url("/echo"), method_post, "image=" + std::string(1200000, 'Q'),
         "POST /echo HTTP/1.1"},
        {"upper-case scheme and host", "HTTPS://LOCALHOST:" + std::to_string(ports.https) + "/echo", method_get, "",
         "GET /echo HTTP/1.1"},
    };
    auto transport = make_platform_transport(patient);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + ": " + c.url);
        auto exchange = transport->send(build_request(c.url, c.method, c.body));
        ASSERT_TRUE(exchange);
        const std::string answer = read_all(*exchange);
        const EchoedRequest got = parse_echo(answer);
        ASSERT_FALSE(got.request_line.empty()) << "answer: " << answer;

        EXPECT_EQ(got.request_line, c.want_request_line);
        const int port = url_is_https(c.url) ? ports.https : ports.http;
        EXPECT_EQ(got.values("Host"), std::vector<std::string>{"localhost:" + std::to_string(port)});
        EXPECT_EQ(got.values("User-Agent"), std::vector<std::string>{request_user_agent});
        EXPECT_EQ(got.values("Referer"), std::vector<std::string>{c.url});
        EXPECT_EQ(got.values("Accept"), std::vector<std::string>{"*/*"});
        EXPECT_EQ(got.values("Accept-Language"), std::vector<std::string>{"zh-cn"});
        EXPECT_EQ(got.values("Content-Type"), std::vector<std::string>{"application/x-www-form-urlencoded"});
        EXPECT_TRUE(got.values("Expect").empty());
        if (c.method == method_post) {
            EXPECT_EQ(got.values("Content-Length"), std::vector<std::string>{std::to_string(c.body.size())});
        } else {
            EXPECT_TRUE(got.values("Content-Length").empty() || got.values("Content-Length")[0] == "0");
        }
        EXPECT_EQ(got.body, c.body);
    }
}

TEST_F(StandinTransport, AnswersThroughWebRequest) {
    struct Case {
        std::string name;
        std::string url;
        int method;
        std::string want;
    };
    std::string big;
    for (int i = 0; i < 100000; ++i) big += static_cast<char>('a' + i % 26);
    const std::string unreachable = "http://127.0.0.1:1/echo";
    const Case cases[] = {
        {"error status keeps its body", https_url("/status/404"), method_get, "status 404 body"},
        {"server error body", http_url("/status/500"), method_post, "status 500 body"},
        {"UTF-8 named in the headers is converted", https_url("/utf8-body"), method_get,
         "\xC4\xE3\xBA\xC3, world"},  // 你好, world
        {"cut at the first NUL", http_url("/nul-body"), method_get, "before"},
        {"UTF-8 named in headers that fit", http_url("/padded-headers?pad=100"), method_get,
         "\xC4\xE3\xBA\xC3"},
        // Headers beyond the 5000-byte buffer are not looked at, so the
        // UTF-8 body stays as it came.
        {"UTF-8 named in headers that do not fit", http_url("/padded-headers?pad=6000"), method_get,
         "\xE4\xBD\xA0\xE5\xA5\xBD"},
        {"chunked transfer coding removed", https_url("/chunked"), method_get,
         "first piece, second piece, last piece"},
        {"long answer assembled whole", http_url("/big?size=100000"), method_get, big},
        {"redirect followed, POST becomes GET", https_url("/redirect?to=/status/201"), method_post,
         "status 201 body"},
        {"redirect from http to https followed", http_url("/redirect?to=" + https_url("/status/202")), method_get,
         "status 202 body"},
        {"untrusted certificate refused", "https://localhost:" + std::to_string(ports.https_untrusted) + "/status/200",
         method_get, ""},
        {"certificate for another name refused",
         "https://localhost:" + std::to_string(ports.https_wrong_name) + "/status/200", method_get, ""},
        {"nothing listening", unreachable, method_get, ""},
    };
    auto transport = make_platform_transport(patient);
    for (const Case& c : cases) {
        const std::string got = web_request(*transport, c.url, c.method);
        EXPECT_EQ(got, c.want) << c.name << "\n  url:  " << c.url;
    }
}

TEST_F(StandinTransport, RawHeadersAreTheFinalAnswers) {
    auto transport = make_platform_transport(patient);
    auto exchange = transport->send(build_request(https_url("/redirect?to=/utf8-body"), method_get, ""));
    ASSERT_TRUE(exchange);
    read_all(*exchange);
    const std::string headers = exchange->raw_headers(raw_header_limit);
    EXPECT_EQ(headers.rfind("HTTP/1.1 200", 0), 0u) << headers;
    EXPECT_NE(headers.find("charset=UTF-8\r\n"), std::string::npos) << headers;
    EXPECT_EQ(headers.find("Location"), std::string::npos) << headers;
    // A block that does not fit the limit is not handed out at all.
    EXPECT_EQ(exchange->raw_headers(20), "");
}

TEST_F(StandinTransport, ConcurrentRequestsKeepTheirAnswers) {
    // Statuses that carry a body (not 204 or 304).
    const int statuses[] = {200, 201, 202, 203, 400, 404, 500, 503};
    auto transport = make_platform_transport(patient);
    std::vector<std::string> got(std::size(statuses));
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < got.size(); ++i) {
        threads.emplace_back([&, i] {
            got[i] = web_request(*transport, https_url("/status/" + std::to_string(statuses[i])), method_get);
        });
    }
    for (auto& t : threads) t.join();
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i], "status " + std::to_string(statuses[i]) + " body");
    }
}

TEST_F(StandinTransport, PageReaderRequestAndAnswers) {
    auto reader = make_platform_page_reader(patient);
    const EchoedRequest got = parse_echo(reader->read_page(https_url("/echo?v=1")));
    EXPECT_EQ(got.request_line, "GET /echo?v=1 HTTP/1.0");
    EXPECT_EQ(got.values("User-Agent"), std::vector<std::string>{page_reader_user_agent});
    EXPECT_EQ(got.values("Accept"), std::vector<std::string>{"*/*"});
    EXPECT_EQ(got.values("Host"), std::vector<std::string>{"localhost:" + std::to_string(ports.https)});
    EXPECT_TRUE(got.values("Referer").empty());

    struct Case {
        std::string name;
        std::string url;
        std::string want;
    };
    const Case cases[] = {
        {"error status keeps its body", http_url("/status/404"), "status 404 body"},
        {"UTF-8 body left as it is", https_url("/utf8-body"), "\xE4\xBD\xA0\xE5\xA5\xBD, world"},
        {"NUL bytes kept", http_url("/nul-body"), std::string("before\0after", 12)},
        {"redirect followed", https_url("/redirect?to=/status/203"), "status 203 body"},
        {"untrusted certificate refused", "https://localhost:" + std::to_string(ports.https_untrusted) + "/status/200",
         ""},
        {"nothing listening", "http://127.0.0.1:1/", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reader->read_page(c.url), c.want) << c.name << "\n  url:  " << c.url;
    }
}

// A port beyond 65535 must not wrap round onto a real one: 65536 above the
// stand-in's port would reach the stand-in after truncation to 16 bits.
TEST_F(StandinTransport, PortBeyondRangeReachesNothing) {
    const std::string url = "http://localhost:" + std::to_string(ports.http + 65536) + "/status/200";
    auto transport = make_platform_transport(patient);
    EXPECT_EQ(transport->send(build_request(url, method_get, "")), nullptr) << url;
    EXPECT_EQ(web_request(*transport, url, method_get), "") << url;
    EXPECT_EQ(make_platform_page_reader(patient)->read_page(url), "") << url;
}

// A server that accepts the request and then says nothing is given up after
// the stall limit: the answer is empty although the server would answer later.
TEST_F(StandinTransport, SilentServerIsGivenUp) {
    const NetTimeouts short_stall{5000, 1000};
    const std::string url = http_url("/slow?seconds=5");
    auto transport = make_platform_transport(short_stall);
    EXPECT_EQ(web_request(*transport, url, method_get), "") << "transport, url: " << url;
    auto reader = make_platform_page_reader(short_stall);
    EXPECT_EQ(reader->read_page(url), "") << "page reader, url: " << url;
}

}  // namespace
}  // namespace vorbel
