// The two background tasks run once per start of the program, each on a
// thread of its own: the update check and the visit counter.
#pragma once

#include <functional>
#include <string_view>

#include "net/endpoints.h"
#include "net/page_reader.h"
#include "net/transport.h"
#include "tasks/browser.h"
#include "text/text_types.h"

namespace vorbel {

// The program's own version, compared byte for byte with the published one.
inline constexpr std::string_view own_version = "1.0";
// The notice shown when the update page publishes another version.
inline constexpr std::string_view update_notice =
    "\xC8\xED\xBC\xFE\xD3\xD0\xD0\xC2\xB0\xE6\xB1\xBE\xA3\xA1";  // 软件有新版本！

// The UTF-8 `bytes` as a code page 936 text: characters the code page lacks
// become its default character, a letter followed by a combining mark
// becomes the precomposed letter where the code page has one, and the text
// ends before its first NUL character. Empty input gives the empty text.
Text utf8_to_ansi(std::string_view bytes);

// Reads the update page and, when it publishes a version other than
// own_version, shows update_notice through `show_message` (which returns
// once the user has closed it) and then opens the update page in `browser`.
// An unreachable page or a page without the version shows nothing.
void check_update(PageReader& reader, const Endpoints& endpoints,
                  const std::function<void(const Text&)>& show_message, Browser& browser);

// Requests the visit-counter page once (a GET) and throws the answer away.
void count_visit(HttpTransport& transport, const Endpoints& endpoints);

}  // namespace vorbel
