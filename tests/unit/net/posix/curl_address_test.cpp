#include "net/posix/curl_fetch.h"

#include <gtest/gtest.h>

#include <string>

namespace vorbel {
namespace {

TEST(CurlAddress, KeepsThePathAndEscapesOnlyWhatCurlWouldRefuseOrCut) {
    struct Case {
        bool https;
        std::string host;
        int port;
        std::string path;
        std::string want;
    };
    const Case cases[] = {
        {true, "aip.example.com", 443, "/oauth/2.0/token?a=B&c=%41", "https://aip.example.com:443/oauth/2.0/token?a=B&c=%41"},
        {false, "h", 0, "/x", "http://h/x"},
        {false, "h", 8080, "", "http://h:8080/"},
        {false, "h", 80, "?q=1", "http://h:80/?q=1"},
        // A blank or a control byte would be refused by curl's parser.
        {false, "h", 80, "/a b\tc", "http://h:80/a%20b%09c"},
        // '#' would start a fragment and cut the query short.
        {false, "h", 80, "/p?q=a#b", "http://h:80/p?q=a%23b"},
        // Double-byte characters go out as their bytes.
        {false, "h", 80, "/\xC4\xE3?\x7F", "http://h:80/%C4%E3?%7F"},
        // Dot segments are the caller's business (curl is told to keep them).
        {false, "h", 80, "/a/../b", "http://h:80/a/../b"},
    };
    for (const Case& c : cases) {
        CurlFetch fetch;
        fetch.https = c.https;
        fetch.host = c.host;
        fetch.port = c.port;
        fetch.path = c.path;
        EXPECT_EQ(curl_address(fetch), c.want) << "path: \"" << c.path << "\"";
    }
}

TEST(CurlFetch, RefusesWhatCannotBeAddressedWithoutSendingIt) {
    struct Case {
        std::string host;
        int port;
    };
    const Case cases[] = {
        {"user@localhost", 80}, {"local host", 80}, {"", 80}, {"localhost/x", 80},
        {"localhost", 65536}, {"localhost", -1},
    };
    for (const Case& c : cases) {
        CurlFetch fetch;
        fetch.host = c.host;
        fetch.port = c.port;
        fetch.path = "/";
        const CurlOutcome outcome = curl_fetch(fetch);
        EXPECT_TRUE(outcome.refused) << "host \"" << c.host << "\" port " << c.port;
        EXPECT_FALSE(outcome.completed) << "host \"" << c.host << "\" port " << c.port;
    }
}

}  // namespace
}  // namespace vorbel
