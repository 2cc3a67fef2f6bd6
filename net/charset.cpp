#include "net/charset.h"

#include <string>

#include "text/codepage.h"

namespace vorbel {

namespace {

enum class Charset { unknown, utf8, cp936 };

std::string upper_ascii(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

Charset charset_named(std::string_view name) {
    const std::string upper = upper_ascii(name);
    if (upper == "UTF-8" || upper == "UTF8") return Charset::utf8;
    if (upper == "GBK" || upper == "CP936" || upper == "GB2312" || upper == "936") return Charset::cp936;
    return Charset::unknown;
}

}  // namespace

Bytes convert_charset(std::string_view input, std::string_view from_charset, std::string_view to_charset) {
    const Charset from = charset_named(from_charset.empty() ? "UTF-8" : from_charset);
    const Charset to = charset_named(to_charset.empty() ? "GBK" : to_charset);
    if (from == Charset::unknown || to == Charset::unknown) return {};
    if (from == to) return Bytes(input);
    if (from == Charset::utf8) {
        // A byte order mark is a signature, not text: decoding drops it
        // rather than turning it into a default character at the front.
        if (input.substr(0, 3) == "\xEF\xBB\xBF") input.remove_prefix(3);
        return utf8_to_cp936(input);
    }
    return cp936_to_utf8(input);
}

}  // namespace vorbel
