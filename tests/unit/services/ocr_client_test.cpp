#include "services/ocr_client.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/fake/fake_transport.h"
#include "net/transport.h"
#include "services/fake/fake_result_panel.h"
#include "tests/unit/services/service_doubles.h"

namespace vorbel {
namespace {

using test::answer_with;
using test::path_only;
using test::ServiceAnswers;

const Text hello_in_chinese = "\xC4\xE3\xBA\xC3";  // 你好

RecognitionJob job_for(int mode, Bytes image, Text token = "24.accurate") {
    RecognitionJob job;
    job.mode = mode;
    job.image = std::make_shared<const Bytes>(std::move(image));
    job.access_token = std::make_shared<const Text>(std::move(token));
    job.panel = std::make_shared<FakeResultPanel>();
    return job;
}

FakeResultPanel& panel_of(const RecognitionJob& job) {
    return static_cast<FakeResultPanel&>(*job.panel);
}

std::vector<std::string> paths_of(const FakeTransport& transport) {
    std::vector<std::string> paths;
    for (const HttpRequest& request : transport.requests()) paths.push_back(path_only(request));
    return paths;
}

TEST(FetchOcrToken, CutsTheTokenWithEachAccountsMarkersAndCaseRule) {
    struct Case {
        const char* name;
        OcrAccountKind account;
        std::string answer;
        Text want;
    };
    const Case cases[] = {
        {"general, typical answer", OcrAccountKind::general,
         "{\"access_token\":\"24.abc\",\"session_key\":\"9mzd\",\"scope\":\"public\"}", "24.abc"},
        {"accurate, typical answer", OcrAccountKind::accurate,
         "{\"access_token\":\"24.abc\",\"session_key\":\"9mzd\",\"scope\":\"public\"}", "24.abc"},
        {"general matches case exactly", OcrAccountKind::general,
         "{\"ACCESS_TOKEN\":\"24.abc\",\"SESSION_KEY\":\"9mzd\"}", ""},
        {"accurate ignores case", OcrAccountKind::accurate,
         "{\"ACCESS_TOKEN\":\"24.abc\",\"SESSION_KEY\":\"9mzd\"}", "24.abc"},
        {"general needs no quote before the key nor a string session_key", OcrAccountKind::general,
         "{\"xaccess_token\":\"24.abc\",\"session_key\":9}", "24.abc"},
        {"accurate needs both", OcrAccountKind::accurate,
         "{\"xaccess_token\":\"24.abc\",\"session_key\":9}", ""},
        {"general, token not followed by session_key", OcrAccountKind::general,
         "{\"access_token\":\"24.abc\",\"expires_in\":2592000,\"session_key\":\"9mzd\"}", ""},
        {"accurate, token not followed by session_key", OcrAccountKind::accurate,
         "{\"access_token\":\"24.abc\",\"scope\":\"public\"}", ""},
        {"general, error answer", OcrAccountKind::general,
         "{\"error\":\"invalid_client\",\"error_description\":\"unknown client id\"}", ""},
        {"accurate, empty answer", OcrAccountKind::accurate, "", ""},
        {"token taken unchanged, blanks and escapes kept", OcrAccountKind::general,
         "{\"access_token\":\" 24.a\\/b \",\"session_key\":\"k\"}", " 24.a\\/b "},
    };
    const Endpoints endpoints = Endpoints::defaults();
    for (const Case& c : cases) {
        FakeTransport transport([&](const HttpRequest&) { return FakeAnswer{c.answer}; });
        const Text got = fetch_ocr_token(transport, endpoints, c.account);
        EXPECT_EQ(got, c.want) << c.name << "\n  answer: " << c.answer << "\n  got:    " << got
                               << "\n  want:   " << c.want;
    }
}

TEST(FetchOcrToken, PostsAnEmptyBodyToEachAccountsTokenAddress) {
    struct Case {
        OcrAccountKind account;
        std::string want_path;
    };
    const Case cases[] = {
        {OcrAccountKind::general,
         "/oauth/2.0/token?grant_type=client_credentials&client_id=Hq8sN2vLm5XcT9bRw3ZkF6yD"
         "&client_secret=pE4gW7uKa2MzQ9rJx5VdC8nLt3YhB6sF"},
        {OcrAccountKind::accurate,
         "/oauth/2.0/token?grant_type=client_credentials&client_id=Rk3mZ8qTw2LpVx9dNc4HbJ7s"
         "&client_secret=aY6fKd2WsQ9mXr4TzB8nVe3LcG7hPu5J"},
    };
    const Endpoints endpoints = Endpoints::defaults();
    for (const Case& c : cases) {
        FakeTransport transport;
        fetch_ocr_token(transport, endpoints, c.account);
        const auto requests = transport.requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].verb, "POST");
        EXPECT_EQ(requests[0].host, endpoints.ocr_host);
        EXPECT_EQ(requests[0].port, 443);
        EXPECT_NE(requests[0].flags & flag_secure, 0u) << "the token request goes over TLS";
        EXPECT_EQ(requests[0].path, c.want_path);
        EXPECT_EQ(requests[0].body, "");
    }
}

TEST(FetchOcrToken, FailedRequestGivesEmptyToken) {
    FakeTransport transport;
    transport.set_refuse(true);
    EXPECT_EQ(fetch_ocr_token(transport, Endpoints::defaults(), OcrAccountKind::accurate), "");
}

TEST(ResultPanelPosition, HalfTheWidthLess285And130AboveTheBottom) {
    struct Case {
        int width, height, left, top;
    };
    const Case cases[] = {
        {1920, 1080, 675, 950},
        {1365, 768, 397, 638},  // 397.5 truncated
        {500, 400, -35, 270},   // narrower than 570: negative
        {499, 300, -35, 170},   // -35.5 truncated toward zero, not down
        {0, 0, -285, -130},
    };
    for (const Case& c : cases) {
        const PanelPosition got = result_panel_position(c.width, c.height);
        EXPECT_EQ(got.left, c.left) << c.width << " x " << c.height;
        EXPECT_EQ(got.top, c.top) << c.width << " x " << c.height;
    }
}

TEST(RecognizeGeneral, ShowsTheLinesThenAppendsTheTranslation) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport(answer_with(ServiceAnswers{}));
    const RecognitionJob job = job_for(mode_normal, "BM");

    recognize_general(test::context_for(transport, endpoints), job);

    const std::vector<std::string> want_calls = {
        "show 675 950", "append Hello", "append big", "append world", "append \r\n", "read",
        "append " + hello_in_chinese,
    };
    EXPECT_EQ(panel_of(job).calls(), want_calls);
    EXPECT_EQ(panel_of(job).text(), "Hellobigworld\r\n" + hello_in_chinese);
    const std::vector<std::string> want_paths = {std::string(test::token_path), std::string(test::general_path),
                                                 std::string(test::translate_path)};
    EXPECT_EQ(paths_of(transport), want_paths);
}

TEST(RecognizeGeneral, SendsTheImageWithAFreshTokenEachTime) {
    const Endpoints endpoints = Endpoints::defaults();
    int tokens_given = 0;
    ServiceAnswers answers;
    FakeTransport transport([&](const HttpRequest& request) {
        if (path_only(request) == test::token_path) {
            return FakeAnswer{test::token_answer("tok-" + std::to_string(++tokens_given))};
        }
        return answer_with(answers)(request);
    });
    const ServiceContext context = test::context_for(transport, endpoints);

    recognize_general(context, job_for(mode_normal, "BM"));
    recognize_general(context, job_for(mode_normal, "BM"));

    std::vector<std::string> recognition_paths;
    for (const HttpRequest& request : transport.requests()) {
        if (path_only(request) == test::general_path) recognition_paths.push_back(request.path);
    }
    const std::vector<std::string> want = {"/rest/2.0/ocr/v1/general_basic?access_token=tok-1",
                                           "/rest/2.0/ocr/v1/general_basic?access_token=tok-2"};
    EXPECT_EQ(recognition_paths, want);
    const std::vector<std::string> want_order = {
        std::string(test::token_path), std::string(test::general_path), std::string(test::translate_path),
        std::string(test::token_path), std::string(test::general_path), std::string(test::translate_path)};
    EXPECT_EQ(paths_of(transport), want_order);
}

TEST(RecognizeGeneral, TokenAnswerWithoutMarkersLeavesTheTokenEmpty) {
    const Endpoints endpoints = Endpoints::defaults();
    ServiceAnswers answers;
    answers.token = "{\"error\":\"invalid_client\"}";
    FakeTransport transport(answer_with(answers));

    recognize_general(test::context_for(transport, endpoints), job_for(mode_normal, "BM"));

    const auto requests = transport.requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[1].path, "/rest/2.0/ocr/v1/general_basic?access_token=");
}

TEST(RecognitionRequest, PostsTheImageAsEncodedBase64ToTheModesEndpoint) {
    struct Case {
        const char* name;
        int mode;
        Bytes image;
        std::shared_ptr<const Text> token;
        std::string want_path;
        std::string want_body;
    };
    const Case cases[] = {
        {"accurate uses the job's token unchanged", mode_accurate, "BM", std::make_shared<const Text>("24.acc+/="),
         "/rest/2.0/ocr/v1/accurate_basic?access_token=24.acc+/=", "image=%51%6B%30%3D"},
        {"accurate with an empty token", mode_accurate, "BM", std::make_shared<const Text>(""),
         "/rest/2.0/ocr/v1/accurate_basic?access_token=", "image=%51%6B%30%3D"},
        {"accurate without a token", mode_accurate, "BM", nullptr, "/rest/2.0/ocr/v1/accurate_basic?access_token=",
         "image=%51%6B%30%3D"},
        {"empty image still sent", mode_accurate, "", std::make_shared<const Text>("t"),
         "/rest/2.0/ocr/v1/accurate_basic?access_token=t", "image="},
        {"bytes with NUL and high bytes", mode_accurate, std::string("\0\xFF\x10", 3), std::make_shared<const Text>("t"),
         "/rest/2.0/ocr/v1/accurate_basic?access_token=t", "image=%41%50%38%51"},
        {"general", mode_normal, "BM", nullptr, "/rest/2.0/ocr/v1/general_basic?access_token=24.tok",
         "image=%51%6B%30%3D"},
    };
    const Endpoints endpoints = Endpoints::defaults();
    for (const Case& c : cases) {
        FakeTransport transport(answer_with(ServiceAnswers{}));
        RecognitionJob job = job_for(c.mode, c.image);
        job.access_token = c.token;

        run_recognition(test::context_for(transport, endpoints), job);

        const HttpRequest* recognition = nullptr;
        const auto requests = transport.requests();
        for (const HttpRequest& request : requests) {
            if (test::starts_with(request.path, "/rest/")) recognition = &request;
        }
        ASSERT_NE(recognition, nullptr) << c.name;
        EXPECT_EQ(recognition->verb, "POST") << c.name;
        EXPECT_EQ(recognition->host, endpoints.ocr_host) << c.name;
        EXPECT_NE(recognition->flags & flag_secure, 0u) << c.name;
        EXPECT_EQ(recognition->path, c.want_path) << c.name;
        EXPECT_EQ(recognition->body, c.want_body) << c.name;
        const bool token_requested = path_only(requests.front()) == test::token_path;
        EXPECT_EQ(token_requested, c.mode == mode_normal) << c.name << ": only normal mode fetches a token";
    }
}

TEST(RecognitionAnswer, WithoutLinesLeavesThePanelAloneAndTranslatesNothing) {
    const std::string answers[] = {
        "",
        "{\"error_code\":17,\"error_msg\":\"Open api daily request limit reached\"}",
        "{\"log_id\": 1, \"words_result_num\": 0, \"words_result\": []}",
        "{\"log_id\": 1, \"words_result\": [{\"words\": \"  \"}, {\"words\": \"later\"}]}",
        "{\"words\":\"no blank after the colon\"}",
    };
    const Endpoints endpoints = Endpoints::defaults();
    for (const std::string& answer : answers) {
        ServiceAnswers service;
        service.recognition = answer;
        FakeTransport transport(answer_with(service));
        const RecognitionJob job = job_for(mode_accurate, "BM");

        recognize_accurate(test::context_for(transport, endpoints), job);

        EXPECT_TRUE(panel_of(job).calls().empty()) << "answer: " << answer;
        EXPECT_FALSE(panel_of(job).shown()) << "answer: " << answer;
        for (const HttpRequest& request : transport.requests()) {
            EXPECT_NE(path_only(request), test::translate_path) << "answer: " << answer;
        }
    }
}

TEST(RecognitionAnswer, LinesAreTakenAsTheyStandUpToTheFirstEmptyOne) {
    struct Case {
        std::string answer;
        Text want_lines;
    };
    const Case cases[] = {
        {test::words_answer({"Hello", "big", "world"}), "Hellobigworld\r\n"},
        {test::words_answer({"  padded  ", "x"}), "paddedx\r\n"},
        {test::words_answer({"a \\u0041 \\\"q\\\"", "b"}), "a \\u0041 \\\"q\\\"b\r\n"},
        {test::words_answer({"first", " ", "after the empty one"}), "first\r\n"},
        {test::words_answer({"\xD6\xD0\xCE\xC4"}), "\xD6\xD0\xCE\xC4\r\n"},  // 中文
    };
    const Endpoints endpoints = Endpoints::defaults();
    for (const Case& c : cases) {
        ServiceAnswers service;
        service.recognition = c.answer;
        service.translation = "";
        FakeTransport transport(answer_with(service));
        const RecognitionJob job = job_for(mode_accurate, "BM");

        recognize_accurate(test::context_for(transport, endpoints), job);

        EXPECT_EQ(panel_of(job).text(), c.want_lines) << "answer: " << c.answer;
    }
}

TEST(RecognitionAnswer, PanelIsPlacedForTheContextsScreen) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport(answer_with(ServiceAnswers{}));
    const ServiceContext context{transport, endpoints, 1365, 768, [](int low, int) { return low; }};
    const RecognitionJob job = job_for(mode_accurate, "BM");

    recognize_accurate(context, job);

    ASSERT_FALSE(panel_of(job).calls().empty());
    EXPECT_EQ(panel_of(job).calls().front(), "show 397 638");
}

TEST(RunRecognition, JobWithoutPanelOrModeSendsNothing) {
    const Endpoints endpoints = Endpoints::defaults();
    FakeTransport transport(answer_with(ServiceAnswers{}));
    const ServiceContext context = test::context_for(transport, endpoints);

    RecognitionJob no_panel = job_for(mode_normal, "BM");
    no_panel.panel.reset();
    run_recognition(context, no_panel);
    recognize_accurate(context, no_panel);
    const RecognitionJob no_mode = job_for(mode_none, "BM");
    run_recognition(context, no_mode);

    EXPECT_TRUE(transport.requests().empty());
    EXPECT_TRUE(panel_of(no_mode).calls().empty());
}

}  // namespace
}  // namespace vorbel
