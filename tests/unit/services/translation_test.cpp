#include "services/translation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "net/fake/fake_transport.h"
#include "services/fake/fake_result_panel.h"
#include "services/random_source.h"
#include "tests/unit/services/service_doubles.h"
#include "text/md5.h"

namespace vorbel {
namespace {

using test::percent_decode;
using test::raw_query;

ServiceContext context_with_random(FakeTransport& transport, const Endpoints& endpoints,
                                   std::function<int(int, int)> random) {
    return ServiceContext{transport, endpoints, 1920, 1080, std::move(random)};
}

// The one translation request the transport saw.
HttpRequest only_request(const FakeTransport& transport) {
    const auto requests = transport.requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? HttpRequest{} : requests.front();
}

TEST(TranslatePanelText, SignsAndSendsThePanelTextOverHttps) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport(test::answer_with(test::ServiceAnswers{}));
    FakeResultPanel panel;
    panel.set_text("Hello\r\n");

    translate_panel_text(test::context_for(transport, endpoints), panel);

    const HttpRequest request = only_request(transport);
    EXPECT_EQ(request.verb, "GET");
    EXPECT_EQ(request.host, endpoints.translate_host);
    EXPECT_EQ(request.port, 443);
    EXPECT_NE(request.flags & flag_secure, 0u);
    // Salt 1000010000 from the lowest draws; the signature is the MD5 of
    // "73950264118830472" "Hello\r\n" "1000010000" "Jd7QmX2kRw9TzV4nLp8S".
    EXPECT_EQ(request.path,
              "/api/trans/vip/translate?q=%48%65%6C%6C%6F%0D%0A&from=%61%75%74%6F&to=zh"
              "&appid=%37%33%39%35%30%32%36%34%31%31%38%38%33%30%34%37%32"
              "&salt=%31%30%30%30%30%31%30%30%30%30"
              "&sign=%36%37%34%30%63%30%35%31%32%33%37%30%39%65%65%63%31%66%65%64%32%62%39%63%31%65%31%66%35%36%31%32");
    EXPECT_EQ(request.body, "");
    EXPECT_EQ(panel.text(), "Hello\r\n\xC4\xE3\xBA\xC3");  // 你好 right after the line break
}

TEST(TranslatePanelText, SendsAndSignsTheTextAsUtf8) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport;
    FakeResultPanel panel;
    panel.set_text("He said \xA1\xB0hi\xA1\xB1\r\n");  // He said “hi”

    translate_panel_text(context_with_random(transport, endpoints, [](int, int high) { return high; }), panel);

    const auto query = raw_query(only_request(transport).path);
    EXPECT_EQ(query.at("q"), "%48%65%20%73%61%69%64%20%E2%80%9C%68%69%E2%80%9D%0D%0A");
    EXPECT_EQ(percent_decode(query.at("salt")), "1999999999");
    // MD5 of "73950264118830472" + the UTF-8 text + "1999999999" + the key.
    EXPECT_EQ(percent_decode(query.at("sign")), "319f9c1cc654151f462b570e8e4536df");
}

// A panel whose text changes every time it is read, as when the user
// interface empties or refills it between two readings.
class ShiftingPanel : public ResultPanel {
public:
    void show_at(int, int) override {}
    void append(const Text& text) override { appended.push_back(text); }
    std::optional<Text> read_text() override { return "reading " + std::to_string(++readings) + "\r\n"; }

    int readings = 0;
    std::vector<Text> appended;
};

TEST(TranslatePanelText, SignatureAndQueryComeFromTheSameReading) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport;
    ShiftingPanel panel;

    translate_panel_text(test::context_for(transport, endpoints), panel);

    const auto query = raw_query(only_request(transport).path);
    const std::string q = percent_decode(query.at("q"));
    const std::string salt = percent_decode(query.at("salt"));
    EXPECT_EQ(percent_decode(query.at("sign")), md5_text(endpoints.translate_appid + q + salt + endpoints.translate_key))
        << "q: " << q;
}

TEST(TranslatePanelText, AppendsTheFirstTranslationDecoded) {
    struct Case {
        const char* name;
        std::string answer;
        Text want_appended;  // empty: nothing appended
    };
    const Case cases[] = {
        {"typical answer", test::translation_answer("\\u4f60\\u597d"), "\xC4\xE3\xBA\xC3"},  // 你好
        {"several dst values: the first only",
         "{\"trans_result\":[{\"src\":\"a\",\"dst\":\"\\u4e00\"},{\"src\":\"b\",\"dst\":\"\\u4e8c\"}]}",
         "\xD2\xBB"},  // 一
        {"markers in capitals", "{\"SRC\":\"a\",\"DST\":\"\\u4e00\"}", "\xD2\xBB"},
        {"plain text kept", test::translation_answer("ok"), "ok"},
        {"error answer without dst", "{\"error_code\":\"54001\",\"error_msg\":\"Invalid Sign\"}", ""},
        {"dst without the end marker", "{\"dst\":\"\\u4e00\"", ""},
        {"empty answer", "", ""},
    };
    const Endpoints endpoints = Endpoints::defaults();
    for (const Case& c : cases) {
        FakeTransport transport([&](const HttpRequest&) { return FakeAnswer{c.answer}; });
        FakeResultPanel panel;
        panel.set_text("lines\r\n");

        translate_panel_text(test::context_for(transport, endpoints), panel);

        std::vector<std::string> want_calls = {"read"};
        if (!c.want_appended.empty()) want_calls.push_back("append " + c.want_appended);
        EXPECT_EQ(panel.calls(), want_calls) << c.name << "\n  answer: " << c.answer;
        EXPECT_EQ(panel.text(), "lines\r\n" + c.want_appended) << c.name;
    }
}

TEST(TranslatePanelText, GonePanelStopsBeforeSending) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport(test::answer_with(test::ServiceAnswers{}));
    FakeResultPanel panel;
    panel.set_text("Hello\r\n");
    panel.set_gone(true);

    translate_panel_text(test::context_for(transport, endpoints), panel);

    EXPECT_TRUE(transport.requests().empty());
    EXPECT_EQ(panel.calls(), std::vector<std::string>{"read"});
}

TEST(TranslatePanelText, FailedRequestAppendsNothing) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport;
    transport.set_refuse(true);
    FakeResultPanel panel;
    panel.set_text("Hello\r\n");

    translate_panel_text(test::context_for(transport, endpoints), panel);

    EXPECT_EQ(panel.text(), "Hello\r\n");
}

TEST(TranslationSalt, DrawsTheTwoRangesInOrder) {
    std::vector<std::pair<int, int>> asked;
    const Text salt = translation_salt([&](int low, int high) {
        asked.emplace_back(low, high);
        return asked.size() == 1 ? 12345 : 67890;
    });
    EXPECT_EQ(salt, "1234567890");
    const std::vector<std::pair<int, int>> want = {{10000, 19999}, {10000, 99999}};
    EXPECT_EQ(asked, want);
}

TEST(TranslationSalt, KeepsItsShapeWhateverTheSourceGives) {
    struct Case {
        int first, second;
        Text want;
    };
    const Case cases[] = {
        {10000, 10000, "1000010000"},
        {19999, 99999, "1999999999"},
        {-5, 5, "1000010000"},
        {20000, 100000, "1999999999"},
    };
    for (const Case& c : cases) {
        int calls = 0;
        const Text got = translation_salt([&](int, int) { return ++calls == 1 ? c.first : c.second; });
        EXPECT_EQ(got, c.want) << "draws " << c.first << ", " << c.second;
    }
}

bool has_salt_shape(const Text& salt) {
    if (salt.size() != 10) return false;
    for (char c : salt) {
        if (c < '0' || c > '9') return false;
    }
    const int first = std::stoi(salt.substr(0, 5));
    const int second = std::stoi(salt.substr(5));
    return first >= 10000 && first <= 19999 && second >= 10000 && second <= 99999;
}

TEST(TranslationSalt, SystemSourceGivesTenDigitsInRange) {
    for (int i = 0; i < 200; ++i) {
        const Text salt = translation_salt({});
        ASSERT_TRUE(has_salt_shape(salt)) << salt;
    }
}

TEST(RandomBetween, StaysInsideTheInclusiveRange) {
    struct Case {
        int low, high;
    };
    const Case cases[] = {{10000, 19999}, {10000, 99999}, {0, 1}, {-3, 3}, {7, 7}};
    for (const Case& c : cases) {
        for (int i = 0; i < 100; ++i) {
            const int got = random_between(c.low, c.high);
            ASSERT_GE(got, c.low) << c.low << ".." << c.high;
            ASSERT_LE(got, c.high) << c.low << ".." << c.high;
        }
    }
    EXPECT_EQ(random_between(5, 1), 5) << "an empty range gives its low end";
}

TEST(RandomBetween, ReachesBothEndsOfASmallRange) {
    bool saw_low = false, saw_high = false;
    for (int i = 0; i < 200 && !(saw_low && saw_high); ++i) {
        const int got = random_between(0, 1);
        saw_low = saw_low || got == 0;
        saw_high = saw_high || got == 1;
    }
    EXPECT_TRUE(saw_low && saw_high);
}

}  // namespace
}  // namespace vorbel
