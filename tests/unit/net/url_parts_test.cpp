#include "net/url_parts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "net/web_request.h"

namespace vorbel {
namespace {

constexpr std::uint32_t plain_flags = flag_reload | flag_need_file | flag_ignore_redirect_to_https;
constexpr std::uint32_t secure_flags = flag_reload | flag_need_file | flag_secure;

struct UrlCase {
    std::string url;
    std::string host;
    std::string host_with_port;
    int port;
    std::string path;
    std::uint32_t flags;
};

const UrlCase url_cases[] = {
    {"https://AIP.BaiduBCE.com:8443/Rest/2.0/OCR?Access_Token=AbC", "aip.baidubce.com", "aip.baidubce.com:8443",
     8443, "/Rest/2.0/OCR?Access_Token=AbC", secure_flags},
    {"http://count.example.net", "count.example.net", "count.example.net", 80, "/", plain_flags},
    {"http://count.example.net/", "count.example.net", "count.example.net", 80, "/", plain_flags},
    {"https://aip.baidubce.com/oauth/2.0/token?grant_type=client_credentials", "aip.baidubce.com",
     "aip.baidubce.com", 443, "/oauth/2.0/token?grant_type=client_credentials", secure_flags},
    // The scheme is compared after lower-casing.
    {"HTTPS://Example.COM/A?b=C", "example.com", "example.com", 443, "/A?b=C", secure_flags},
    {"HTTP://Example.COM:81/x", "example.com", "example.com:81", 81, "/x", plain_flags},
    // Without a scheme the URL is read as http.
    {"example.com/Path/To?q=1", "example.com", "example.com", 80, "/Path/To?q=1", plain_flags},
    {"localhost:8080/echo", "localhost", "localhost:8080", 8080, "/echo", plain_flags},
    // A colon without digits gives port 0; digits end at the first non-digit.
    {"http://host:/p", "host", "host:", 0, "/p", plain_flags},
    {"http://host:12ab/p", "host", "host:12ab", 12, "/p", plain_flags},
    // A port too large for an int neither wraps round nor overflows.
    {"http://host:99999999999999999999/p", "host", "host:99999999999999999999", 2147483647, "/p", plain_flags},
    // The port is taken after the last colon of the host.
    {"http://a:1:2/p", "a", "a:1:2", 2, "/p", plain_flags},
    // The query is part of the path even without a slash before it.
    {"http://host?x=1", "host?x=1", "host?x=1", 80, "/", plain_flags},
    // "https" without "://" is not the https scheme for the host, but the
    // flags only look at the first five characters.
    {"httpsfoo/bar", "httpsfoo", "httpsfoo", 443, "/bar", secure_flags},
    // A later "http://" (here inside the query) decides the host when the
    // URL has no scheme of its own.
    {"go/?to=http://Other.org/x", "other.org", "other.org", 80, "/x", plain_flags},
    // Double-byte characters keep their bytes; "\xC4\x41" holds an A as trail byte.
    {"http://Host/\xC4\x41\xD6\xD0?Q", "host", "host", 80, "/\xC4\x41\xD6\xD0?Q", plain_flags},
    {"http://\xC4\x41.cn/p", "\xC4\x41.cn", "\xC4\x41.cn", 80, "/p", plain_flags},
    // A host whose name also occurs in the scheme is found after it.
    {"http://tp/x", "tp", "tp", 80, "/x", plain_flags},
    {"https://s:9/x", "s", "s:9", 9, "/x", secure_flags},
    {"", "", "", 80, "/", plain_flags},
    {"https://", "", "", 443, "/", secure_flags},
};

TEST(UrlParts, SplitsUrls) {
    for (const UrlCase& c : url_cases) {
        SCOPED_TRACE("url: \"" + c.url + "\"");
        EXPECT_EQ(url_host(c.url), c.host);
        EXPECT_EQ(url_host(c.url, true), c.host_with_port);
        EXPECT_EQ(url_port(c.url), c.port);
        EXPECT_EQ(url_path(c.url), c.path);
        EXPECT_EQ(request_flags(c.url), c.flags) << std::hex << "got 0x" << request_flags(c.url) << " want 0x"
                                                 << c.flags;
    }
}

TEST(UrlParts, FlagsWordValues) {
    // The values the Windows transport hands on, spelled out once.
    EXPECT_EQ(request_flags("https://h/"), 0x80800010u);
    EXPECT_EQ(request_flags("http://h/"), 0x80004010u);
}

}  // namespace
}  // namespace vorbel
