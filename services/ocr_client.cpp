#include "services/ocr_client.h"

#include <string>
#include <string_view>
#include <vector>

#include "net/web_request.h"
#include "services/translation.h"
#include "text/encoders.h"
#include "text/text_extract.h"

namespace vorbel {

namespace {


constexpr std::string_view token_path = "/oauth/2.0/token?grant_type=client_credentials&client_id=";
constexpr std::string_view general_path = "/rest/2.0/ocr/v1/general_basic";
constexpr std::string_view accurate_path = "/rest/2.0/ocr/v1/accurate_basic";

constexpr std::string_view words_start = "{\"words\": \"";
constexpr std::string_view words_end = "\"}";

// Each account's answer is cut with its own markers and case rule; both
// insist that the token is followed directly by the session_key field.
struct TokenMarkers {
    std::string_view start;
    std::string_view end;
    bool case_sensitive;
};
constexpr TokenMarkers general_token_markers{"access_token\":\"", "\",\"session_key", true};
constexpr TokenMarkers accurate_token_markers{"\"access_token\":\"", "\",\"session_key\":\"", false};

void recognize(const ServiceContext& context, const RecognitionJob& job, const Text& token,
               std::string_view endpoint_path) {
    std::string url = "https://" + context.endpoints.ocr_host;
    url += endpoint_path;
    url += "?access_token=";
    url += token;

    const std::string_view image = job.image ? std::string_view(*job.image) : std::string_view();
    const Text body = "image=" + url_encode(base64_encode(image));

    const Text answer = web_request(context.transport, url, method_post, body);
    std::vector<Text> lines;
    collect_between(answer, words_start, words_end, lines, true);
    if (lines.empty()) return;

    ResultPanel& panel = *job.panel;
    const PanelPosition at = result_panel_position(context.screen_width, context.screen_height);
    panel.show_at(at.left, at.top);
    for (const Text& line : lines) panel.append(line);
    panel.append("\r\n");
    translate_panel_text(context, panel);
}

}  // namespace

Text fetch_ocr_token(HttpTransport& transport, const Endpoints& endpoints, OcrAccountKind account) {
    const bool general = account == OcrAccountKind::general;
    const OcrAccount& credentials = general ? endpoints.general_account : endpoints.accurate_account;
    const TokenMarkers& markers = general ? general_token_markers : accurate_token_markers;

    std::string url = "https://" + endpoints.ocr_host;
    url += token_path;
    url += credentials.client_id;
    url += "&client_secret=";
    url += credentials.client_secret;

    const Text answer = web_request(transport, url, method_post);
    return text_between(answer, markers.start, markers.end, markers.case_sensitive);
}

PanelPosition result_panel_position(int screen_width, int screen_height) {
    // Computed in floating point and truncated toward zero, so an odd width
    // loses its half pixel and a narrow screen gives a negative left edge.
    return {static_cast<int>(screen_width / 2.0 - 285.0), static_cast<int>(screen_height - 130.0)};
}

void recognize_general(const ServiceContext& context, const RecognitionJob& job) {
    if (!job.panel) return;
    const Text token = fetch_ocr_token(context.transport, context.endpoints, OcrAccountKind::general);
    recognize(context, job, token, general_path);
}

void recognize_accurate(const ServiceContext& context, const RecognitionJob& job) {
    if (!job.panel) return;
    const Text token = job.access_token ? *job.access_token : Text();
    recognize(context, job, token, accurate_path);
}

void run_recognition(const ServiceContext& context, const RecognitionJob& job) {
    if (job.mode == mode_normal) {
        recognize_general(context, job);
    } else if (job.mode == mode_accurate) {
        recognize_accurate(context, job);
    }
}

}  // namespace vorbel
