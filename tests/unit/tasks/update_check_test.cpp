#include "tasks/update_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/fake/fake_transport.h"
#include "tasks/fake/fake_browser.h"
#include "tasks/fake/fake_page_reader.h"

namespace vorbel {
namespace {

// UTF-8 pieces of the update page.
const std::string version_label = "\xE7\x89\x88\xE6\x9C\xAC\xE5\x8F\xB7\xEF\xBC\x9A";  // 版本号：
const std::string thai_ko_kai = "\xE0\xB8\x81";                                     // ก, not in code page 936
const std::string update_title = "\xE8\xBD\xAF\xE4\xBB\xB6\xE6\x9B\xB4\xE6\x96\xB0";  // 软件更新

std::string page_publishing(const std::string& version, const std::string& closing_tag = "</span>") {
    return "<html><head><meta charset=\"utf-8\"><title>" + update_title + "</title></head><body>"
           "<p><span class=\"v\">" + version_label + version + closing_tag + "</p></body></html>";
}

TEST(CheckUpdate, ShowsTheNoticeThenOpensThePageWhenTheVersionDiffers) {
    struct Case {
        const char* name;
        Bytes page;
        bool notice;
    };
    const Case cases[] = {
        {"same version", page_publishing("1.0"), false},
        {"newer version", page_publishing("1.1"), true},
        {"same number written longer", page_publishing("1.00"), true},
        {"blank before", page_publishing(" 1.0"), true},
        {"blank after", page_publishing("1.0 "), true},
        {"closing tag in capitals, other version", page_publishing("1.1", "</SPAN>"), true},
        {"closing tag in capitals, same version", page_publishing("1.0", "</SPAN>"), false},
        {"empty version", page_publishing(""), false},
        {"error page without the markers", "<html><body><h1>404 Not Found</h1></body></html>", false},
        {"page not reachable", "", false},
        {"characters outside code page 936, other version", thai_ko_kai + page_publishing("2.0") + thai_ko_kai, true},
        {"characters outside code page 936, same version", thai_ko_kai + page_publishing("1.0") + thai_ko_kai, false},
    };
    const Endpoints endpoints = Endpoints::defaults();
    for (const Case& c : cases) {
        FakePageReader reader;
        reader.set_page(endpoints.update_page, c.page);
        std::vector<std::string> events;
        FakeBrowser browser([&](const std::string& url) { events.push_back("open " + url); });

        check_update(reader, endpoints, [&](const Text& text) { events.push_back("message " + text); }, browser);

        std::vector<std::string> want;
        if (c.notice) {
            want = {"message \xC8\xED\xBC\xFE\xD3\xD0\xD0\xC2\xB0\xE6\xB1\xBE\xA3\xA1",  // 软件有新版本！
                    "open " + endpoints.update_page};
        }
        EXPECT_EQ(events, want) << c.name;
        EXPECT_EQ(reader.reads(), std::vector<std::string>{endpoints.update_page}) << c.name;
    }
}

TEST(CheckUpdate, OpensTheBrowserOnlyAfterTheMessageHasReturned) {
    const Endpoints endpoints = Endpoints::defaults();
    FakePageReader reader;
    reader.set_page(endpoints.update_page, page_publishing("1.1"));
    FakeBrowser browser;
    bool browser_opened_during_message = true;

    check_update(reader, endpoints, [&](const Text&) { browser_opened_during_message = !browser.opened().empty(); },
                 browser);

    EXPECT_FALSE(browser_opened_during_message);
    EXPECT_EQ(browser.opened(), std::vector<std::string>{endpoints.update_page});
}

TEST(Utf8ToAnsi, ConvertsToCodePage936) {
    struct Case {
        const char* name;
        std::string input;
        Text want;
    };
    const Case cases[] = {
        {"empty", "", ""},
        {"ASCII", "1.0</span>", "1.0</span>"},
        {"Chinese", "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"},             // 中文
        {"full-width colon", "\xEF\xBC\x9A", "\xA3\xBA"},                          // ：
        {"outside the code page", "a" + thai_ko_kai + "b", "a?b"},
        {"letter and combining mark composed", "e\xCC\x81", "\xA8\xA6"},           // é
        {"ends at the first NUL", std::string("ab\0cd", 5), "ab"},
        {"NUL first", std::string("\0ab", 3), ""},
    };
    for (const Case& c : cases) {
        const Text got = utf8_to_ansi(c.input);
        EXPECT_EQ(got, c.want) << c.name;
    }
}

TEST(CountVisit, SendsOneGetToTheCounterPage) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport([](const HttpRequest&) { return FakeAnswer{"<html>counted</html>"}; });

    count_visit(transport, endpoints);

    const auto requests = transport.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].verb, "GET");
    EXPECT_EQ(requests[0].host, "count.vorbel.net");
    EXPECT_EQ(requests[0].port, 80);
    EXPECT_EQ(requests[0].path, "/");
    EXPECT_EQ(requests[0].body, "");
}

}  // namespace
}  // namespace vorbel
