#include "tasks/update_check.h"

#include "net/web_request.h"
#include "text/codepage.h"
#include "text/text_extract.h"

namespace vorbel {

namespace {

constexpr std::string_view version_start = "\">\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xBA";  // ">版本号：
constexpr std::string_view version_end = "</span>";

}  // namespace

Text utf8_to_ansi(std::string_view bytes) {
    Text text = utf16_to_cp936(utf8_to_utf16(bytes));
    const auto nul = text.find('\0');
    if (nul != Text::npos) text.resize(nul);
    return text;
}

void check_update(PageReader& reader, const Endpoints& endpoints,
                  const std::function<void(const Text&)>& show_message, Browser& browser) {
    const Text page = utf8_to_ansi(reader.read_page(endpoints.update_page));
    const Text version = text_between(page, version_start, version_end, false);
    if (version.empty() || version == own_version) return;
    if (show_message) show_message(Text(update_notice));
    browser.open(endpoints.update_page);
}

void count_visit(HttpTransport& transport, const Endpoints& endpoints) {
    (void)web_request(transport, endpoints.counter_page, method_get);
}

}  // namespace vorbel
