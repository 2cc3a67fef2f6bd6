#include "net/posix/curl_fetch.h"

#include <curl/curl.h>

#include <memory>

namespace vorbel {

namespace {

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

// curl_global_init is not safe to race with other threads' use of curl on
// older releases; a function-local static runs it exactly once.
void ensure_curl_initialised() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

size_t collect_body(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

// Header lines of every answer arrive here, those of followed redirects
// first; a new status line starts the block again so that only the final
// answer's remain.
size_t collect_header(char* data, size_t size, size_t count, void* target) {
    auto* block = static_cast<std::string*>(target);
    const std::string_view line(data, size * count);
    if (line.substr(0, 5) == "HTTP/") block->clear();
    block->append(line);
    return size * count;
}

// Only what a host name or address literal can hold: anything else
// ("user@host", blanks, a second scheme) would make curl read the address
// differently from the caller.
bool plain_host(std::string_view host) {
    if (host.empty()) return false;
    for (unsigned char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                        c == '-' || c == '_' || c == '[' || c == ']' || c == ':';
        if (!ok) return false;
    }
    return true;
}

bool needs_escape(unsigned char c) {
    return c <= 0x20 || c >= 0x7F || c == '#';
}

}  // namespace

std::string curl_address(const CurlFetch& fetch) {
    std::string address = fetch.https ? "https://" : "http://";
    address += fetch.host;
    if (fetch.port != 0) address += ":" + std::to_string(fetch.port);
    if (fetch.path.empty() || fetch.path.front() != '/') address += '/';
    static const char hex[] = "0123456789ABCDEF";
    for (unsigned char c : fetch.path) {
        if (needs_escape(c)) {
            address += '%';
            address += hex[c >> 4];
            address += hex[c & 0x0F];
        } else {
            address += static_cast<char>(c);
        }
    }
    return address;
}

CurlOutcome curl_fetch(const CurlFetch& fetch) {
    CurlOutcome outcome;
    if (fetch.port < 0 || fetch.port > 65535) {
        outcome.refused = true;
        outcome.error = "port out of range";
        return outcome;
    }
    if (!plain_host(fetch.host)) {
        outcome.refused = true;
        outcome.error = "not a host name";
        return outcome;
    }
    ensure_curl_initialised();
    EasyHandle easy(curl_easy_init());
    if (!easy) {
        outcome.error = "curl_easy_init failed";
        return outcome;
    }
    CURL* h = easy.get();

    const std::string address = curl_address(fetch);
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    // The path goes out as the caller wrote it, dot segments included.
    curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION,
                     fetch.http_1_0 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_USERAGENT, fetch.user_agent.c_str());

    // Direct connection: an empty proxy also overrides the proxy variables
    // of the environment.
    curl_easy_setopt(h, CURLOPT_PROXY, "");
    curl_easy_setopt(h, CURLOPT_NOPROXY, "*");

    // Certificates are checked against the system's trusted authorities,
    // and the name must match: never relaxed, a forged server would
    // otherwise receive the service credentials.
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);

    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    // A redirect may lead from http to https but never out of TLS again,
    // nor to any other scheme (file://, ...).
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, fetch.https ? "https" : "http,https");

    // Signals are process-wide; several requests may run on their own threads.
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(fetch.timeouts.connect_ms));
    // A stall of the transfer, not its length, ends it (see net_timeouts.h).
    const long stall_seconds = (fetch.timeouts.stall_ms + 999) / 1000;
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, stall_seconds < 1 ? 1L : stall_seconds);

    HeaderList headers;
    for (const std::string& line : fetch.header_lines) {
        curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
        if (!grown) {
            outcome.error = "out of memory";
            return outcome;
        }
        (void)headers.release();
        headers.reset(grown);
    }
    // curl would otherwise hold back a larger body behind "Expect: 100-continue".
    if (curl_slist* grown = curl_slist_append(headers.get(), "Expect:")) {
        (void)headers.release();
        headers.reset(grown);
    }
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());

    if (fetch.post) {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(fetch.body.size()));
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, fetch.body.data());
    } else {
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }

    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, collect_body);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &outcome.body);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, collect_header);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &outcome.raw_headers);

    const CURLcode result = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &outcome.status);
    outcome.completed = result == CURLE_OK;
    if (!outcome.completed) outcome.error = curl_easy_strerror(result);
    return outcome;
}

}  // namespace vorbel
