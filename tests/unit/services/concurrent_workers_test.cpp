// Several recognition workers overlap on their own threads, as they do when
// the user recognises again before an earlier answer is in. Each must fill
// only its own panel, in order; run under ThreadSanitizer this also shows
// that the workers share nothing unguarded.
#include <gtest/gtest.h>

#include <latch>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/fake/fake_transport.h"
#include "services/fake/fake_result_panel.h"
#include "services/ocr_client.h"
#include "services/random_source.h"
#include "tests/unit/services/service_doubles.h"
#include "text/encoders.h"

namespace vorbel {
namespace {

constexpr int worker_count = 6;

std::string line_of(int worker, char part) {
    return "w" + std::to_string(worker) + part;
}

TEST(ConcurrentWorkers, EachPanelGetsItsLinesThenItsTranslation) {
    const Endpoints endpoints = Endpoints::defaults();

    // The recognition answer depends on the image sent, the translation on
    // the text sent, so a worker that mixed up anything would show it.
    std::map<std::string, std::string> answer_by_body;
    std::vector<Bytes> images;
    for (int w = 0; w < worker_count; ++w) {
        images.push_back("BM image of worker " + std::to_string(w));
        answer_by_body["image=" + url_encode(base64_encode(images.back()))] =
            test::words_answer({line_of(w, 'a'), line_of(w, 'b')});
    }
    FakeTransport transport([&answer_by_body](const HttpRequest& request) {
        const std::string path = test::path_only(request);
        if (path == test::token_path) return FakeAnswer{test::token_answer("24.general")};
        if (path == test::translate_path) {
            const std::string q = test::percent_decode(test::raw_query(request.path).at("q"));
            return FakeAnswer{test::translation_answer("zh-" + q.substr(0, q.find('a')))};
        }
        const auto found = answer_by_body.find(request.body);
        return FakeAnswer{found == answer_by_body.end() ? std::string() : found->second};
    });
    const ServiceContext context{transport, endpoints, 1920, 1080, random_between};

    std::vector<std::shared_ptr<FakeResultPanel>> panels;
    std::vector<std::thread> threads;
    std::latch start(worker_count);
    for (int w = 0; w < worker_count; ++w) {
        auto panel = std::make_shared<FakeResultPanel>();
        panels.push_back(panel);
        RecognitionJob job;
        job.mode = w % 2 == 0 ? mode_normal : mode_accurate;
        job.image = std::make_shared<const Bytes>(images[w]);
        job.access_token = std::make_shared<const Text>("24.accurate");
        job.panel = panel;
        threads.emplace_back([&context, &start, job] {
            start.arrive_and_wait();
            run_recognition(context, job);
        });
    }
    for (std::thread& thread : threads) thread.join();

    for (int w = 0; w < worker_count; ++w) {
        const std::string a = line_of(w, 'a'), b = line_of(w, 'b');
        const std::string translation = "zh-w" + std::to_string(w);
        const std::vector<std::string> want = {
            "show 675 950", "append " + a, "append " + b, "append \r\n", "read", "append " + translation,
        };
        EXPECT_EQ(panels[w]->calls(), want) << "worker " << w;
        EXPECT_EQ(panels[w]->text(), a + b + "\r\n" + translation) << "worker " << w;
    }
}

}  // namespace
}  // namespace vorbel
