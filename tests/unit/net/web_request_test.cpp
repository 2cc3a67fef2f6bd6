#include "net/web_request.h"

#include <gtest/gtest.h>

#include <string>

#include "net/fake/fake_transport.h"

namespace vorbel {
namespace {

// "你好" in UTF-8 and in code page 936.
const std::string hello_utf8 = "\xE4\xBD\xA0\xE5\xA5\xBD";
const std::string hello_cp936 = "\xC4\xE3\xBA\xC3";  // 你好

const std::string plain_headers = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";

TEST(RequestHeaderBlock, FourLinesRefererFirstNoTrailingBreak) {
    const std::string url = "https://Host.Example:8443/Path?Q=1&r=%41";
    EXPECT_EQ(request_header_block(url),
              "Referer: https://Host.Example:8443/Path?Q=1&r=%41\r\n"
              "Accept: */*\r\n"
              "Accept-Language: zh-cn\r\n"
              "Content-Type: application/x-www-form-urlencoded");
}

TEST(WebRequest, HandsTheTransportTheWholeRequest) {
    struct Case {
        std::string url;
        int method;
        std::string body;
        HttpRequest want;
    };
    const Case cases[] = {
        {"https://AIP.example.com:8443/rest/2.0/ocr/v1/General_Basic?access_token=T", method_post, "image=%51%6B",
         {request_user_agent, "aip.example.com", 8443, "POST", "/rest/2.0/ocr/v1/General_Basic?access_token=T",
          flag_reload | flag_need_file | flag_secure,
          request_header_block("https://AIP.example.com:8443/rest/2.0/ocr/v1/General_Basic?access_token=T"),
          "image=%51%6B"}},
        // A POST with an empty body still goes out as a POST with the same block.
        {"https://aip.example.com/oauth/2.0/token?grant_type=client_credentials", method_post, "",
         {request_user_agent, "aip.example.com", 443, "POST", "/oauth/2.0/token?grant_type=client_credentials",
          flag_reload | flag_need_file | flag_secure,
          request_header_block("https://aip.example.com/oauth/2.0/token?grant_type=client_credentials"), ""}},
        // A GET never carries a body, whatever the caller passes.
        {"http://count.example.net", method_get, "ignored",
         {request_user_agent, "count.example.net", 80, "GET", "/",
          flag_reload | flag_need_file | flag_ignore_redirect_to_https,
          request_header_block("http://count.example.net"), ""}},
        // Any method other than 1 is a GET.
        {"http://h/x", 7, "b",
         {request_user_agent, "h", 80, "GET", "/x", flag_reload | flag_need_file | flag_ignore_redirect_to_https,
          request_header_block("http://h/x"), ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("url: " + c.url + ", method " + std::to_string(c.method));
        FakeTransport transport;
        web_request(transport, c.url, c.method, c.body);
        const auto sent = transport.requests();
        ASSERT_EQ(sent.size(), 1u);
        const HttpRequest& got = sent[0];
        EXPECT_EQ(got.user_agent, c.want.user_agent);
        EXPECT_EQ(got.host, c.want.host);
        EXPECT_EQ(got.port, c.want.port);
        EXPECT_EQ(got.verb, c.want.verb);
        EXPECT_EQ(got.path, c.want.path);
        EXPECT_EQ(got.flags, c.want.flags);
        EXPECT_EQ(got.headers, c.want.headers);
        EXPECT_EQ(got.body, c.want.body);
    }
}

TEST(WebRequest, UserAgentIsTheFixedOne) {
    EXPECT_STREQ(request_user_agent,
                 "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; VRELK; .NET CLR 2.0.50727; .NET CLR "
                 "3.0.04506.648; .NET CLR 3.5.21022)");
}

// The body marker counts only when it begins at a 1-based position below
// 500; the header marker counts in any letter case anywhere.
TEST(AnswerIsUtf8, BodyWindowAndHeaders) {
    struct Case {
        std::string name;
        std::string body;
        std::string headers;
        bool want;
    };
    const Case cases[] = {
        {"marker at position 1", "utf-8 text", "", true},
        {"marker at position 499", std::string(498, 'x') + "utf-8", "", true},
        {"marker at position 500", std::string(499, 'x') + "utf-8", "", false},
        {"marker at position 500, header names UTF-8", std::string(499, 'x') + "utf-8",
         "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=UTF-8\r\n\r\n", true},
        {"first marker late, second one does not count", std::string(600, 'x') + "utf-8", "", false},
        {"marker in capitals in the body only", "charset=UTF-8", plain_headers, false},
        {"marker in mixed case in the headers", "plain", "HTTP/1.1 200 OK\r\nContent-Type: a; charset=Utf-8\r\n", true},
        {"marker in the status line", "plain", "HTTP/1.1 200 utf-8\r\n", true},
        {"marker cut short", "utf-", "utf-", false},
        {"no marker", "", "", false},
        {"marker after a NUL still counts", std::string("\0", 1) + "utf-8", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(answer_is_utf8(c.body, c.headers), c.want) << c.name;
    }
}

TEST(WebRequest, AssemblesConvertsAndCutsTheAnswer) {
    struct Case {
        std::string name;
        std::string body;
        std::string headers;
        std::string want;
    };
    const std::string long_plain(3000, 'a');
    const Case cases[] = {
        {"plain answer unchanged", "{\"a\":1}", plain_headers, "{\"a\":1}"},
        {"code page 936 answer unchanged", hello_cp936, plain_headers, hello_cp936},
        {"UTF-8 named in headers converted", hello_utf8,
         "HTTP/1.1 200 OK\r\nContent-Type: application/json;charset=UTF-8\r\n\r\n", hello_cp936},
        {"UTF-8 named in the body converted", "<meta charset=\"utf-8\">" + hello_utf8, plain_headers,
         "<meta charset=\"utf-8\">" + hello_cp936},
        {"marker at 500 leaves the bytes alone", std::string(499, ' ') + "utf-8" + hello_utf8, plain_headers,
         std::string(499, ' ') + "utf-8" + hello_utf8},
        {"cut at the first NUL", std::string("ab\0cd\0e", 7), plain_headers, "ab"},
        {"NUL first gives the empty text", std::string("\0abc", 4), plain_headers, ""},
        {"NUL after conversion", std::string("utf-8\0", 6) + hello_utf8, plain_headers, "utf-8"},
        {"answer longer than one piece", long_plain, plain_headers, long_plain},
        {"empty answer", "", plain_headers, ""},
        // Headers of 5000 bytes or more are not looked at.
        {"oversized headers ignored", hello_utf8,
         "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nX-Pad: " + std::string(5000, 'p') + "\r\n\r\n",
         hello_utf8},
    };
    for (const Case& c : cases) {
        FakeTransport transport([&](const HttpRequest&) { return FakeAnswer{c.body, c.headers}; });
        EXPECT_EQ(web_request(transport, "http://h/", method_get), c.want) << c.name;
    }
}

TEST(WebRequest, ReadsInPiecesOf1024Bytes) {
    std::string body;
    for (int i = 0; i < 5000; ++i) body += static_cast<char>('a' + i % 26);
    FakeTransport transport([&](const HttpRequest&) { return FakeAnswer{body, plain_headers}; });
    EXPECT_EQ(web_request(transport, "http://h/", method_get), body);
    EXPECT_EQ(transport.largest_read_request(), 1024u);
}

TEST(WebRequest, RefusedTransportGivesTheEmptyText) {
    FakeTransport transport([](const HttpRequest&) { return FakeAnswer{"never seen", plain_headers}; });
    transport.set_refuse(true);
    EXPECT_EQ(web_request(transport, "https://h/x", method_post, "b"), "");
}

}  // namespace
}  // namespace vorbel
