#include "services/translation.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "net/web_request.h"
#include "services/random_source.h"
#include "text/codepage.h"
#include "text/encoders.h"
#include "text/md5.h"
#include "text/text_extract.h"
#include "text/unescape.h"

namespace vorbel {

namespace {


constexpr std::string_view translate_path = "/api/trans/vip/translate?q=";
constexpr std::string_view translation_start = "\"dst\":\"";
constexpr std::string_view translation_end = "\"}";

int draw(const std::function<int(int, int)>& random_source, int low, int high) {
    const int value = random_source ? random_source(low, high) : random_between(low, high);
    return std::clamp(value, low, high);
}

}  // namespace

Text translation_salt(const std::function<int(int low, int high)>& random_source) {
    const int first = draw(random_source, 10000, 19999);
    const int second = draw(random_source, 10000, 99999);
    return std::to_string(first) + std::to_string(second);
}

void translate_panel_text(const ServiceContext& context, ResultPanel& panel) {
    const Text salt = translation_salt(context.random_between);

    // One reading serves both the signature and the query: two readings
    // could differ if the panel changed in between, and the service would
    // then refuse the signature.
    const std::optional<Text> shown = panel.read_text();
    if (!shown) return;  // the panel is gone: nobody would see a translation

    // The service reads q and checks the signature as UTF-8, so both are
    // built from the UTF-8 bytes of the panel's code page 936 text.
    const std::string text = cp936_to_utf8(*shown);
    const Endpoints& endpoints = context.endpoints;
    const Text signature = md5_text(endpoints.translate_appid + text + salt + endpoints.translate_key);

    std::string url = "https://" + endpoints.translate_host;
    url += translate_path;
    url += url_encode(text);
    url += "&from=" + url_encode("auto");
    url += "&to=zh&appid=" + url_encode(endpoints.translate_appid);
    url += "&salt=" + url_encode(salt);
    url += "&sign=" + url_encode(signature);

    const Text answer = web_request(context.transport, url, method_get);
    const Text translation = unescape_text(text_between(answer, translation_start, translation_end, false));
    if (!translation.empty()) panel.append(translation);
}

}  // namespace vorbel
