// Stand-ins for the two cloud services, answering through a FakeTransport,
// and helpers to read back the requests the workers sent.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

#include "net/endpoints.h"
#include "net/fake/fake_transport.h"
#include "services/service_context.h"

namespace vorbel::test {

inline constexpr std::string_view token_path = "/oauth/2.0/token";
inline constexpr std::string_view general_path = "/rest/2.0/ocr/v1/general_basic";
inline constexpr std::string_view accurate_path = "/rest/2.0/ocr/v1/accurate_basic";
inline constexpr std::string_view translate_path = "/api/trans/vip/translate";

inline bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The path of a request without its query.
inline std::string path_only(const HttpRequest& request) {
    return request.path.substr(0, request.path.find('?'));
}

// A typical answer of the recognition service with the given lines.
inline std::string words_answer(std::initializer_list<std::string_view> lines) {
    std::string answer = "{\"log_id\": 1, \"words_result_num\": " + std::to_string(lines.size()) + ", \"words_result\": [";
    bool first = true;
    for (std::string_view line : lines) {
        if (!first) answer += ", ";
        first = false;
        answer += "{\"words\": \"";
        answer += line;
        answer += "\"}";
    }
    return answer + "]}";
}

inline std::string token_answer(std::string_view token) {
    return "{\"access_token\":\"" + std::string(token) + "\",\"session_key\":\"9mzd\",\"scope\":\"public\"}";
}

// A typical answer of the translation service.
inline std::string translation_answer(std::string_view dst) {
    return "{\"from\":\"en\",\"to\":\"zh\",\"trans_result\":[{\"src\":\"x\",\"dst\":\"" + std::string(dst) + "\"}]}";
}

// Answers each service's request by its path.
struct ServiceAnswers {
    std::string token = token_answer("24.tok");
    std::string recognition = words_answer({"Hello", "big", "world"});
    std::string translation = translation_answer("\\u4f60\\u597d");  // 你好
};

inline FakeTransport::Responder answer_with(const ServiceAnswers& answers) {
    return [answers](const HttpRequest& request) {
        const std::string path = path_only(request);
        if (path == token_path) return FakeAnswer{answers.token};
        if (path == general_path || path == accurate_path) return FakeAnswer{answers.recognition};
        if (path == translate_path) return FakeAnswer{answers.translation};
        return FakeAnswer{};
    };
}

inline int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Undoes percent-encoding; a "%" without two hex digits stays as it is.
inline std::string percent_decode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 && hex_value(text[i + 2]) >= 0) {
            out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The raw (still encoded) values of a request path's query, by key.
inline std::map<std::string, std::string> raw_query(std::string_view path) {
    std::map<std::string, std::string> values;
    const auto question = path.find('?');
    if (question == std::string_view::npos) return values;
    std::string_view query = path.substr(question + 1);
    while (!query.empty()) {
        const auto amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        const auto eq = pair.find('=');
        values[std::string(pair.substr(0, eq))] = eq == std::string_view::npos ? "" : std::string(pair.substr(eq + 1));
        if (amp == std::string_view::npos) break;
        query.remove_prefix(amp + 1);
    }
    return values;
}

// A context over `transport` on a 1920 x 1080 screen whose random source
// always gives the lowest value allowed.
inline ServiceContext context_for(FakeTransport& transport, const Endpoints& endpoints) {
    return ServiceContext{transport, endpoints, 1920, 1080, [](int low, int) { return low; }};
}

}  // namespace vorbel::test
