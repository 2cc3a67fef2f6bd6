#include "text/unescape.h"

#include "text/codepage.h"
#include "text/replace.h"

namespace vorbel {
namespace {

// Masks for what a single-quoted script literal cannot hold as it stands.
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kLineBreakMask = "{$}";
constexpr std::string_view kApostrophe = "'";
constexpr std::string_view kApostropheMask = "\xA1\xAF";  // ’ (U+2019)
constexpr std::string_view kBackslashU = "\\u";
constexpr std::string_view kPercentU = "%u";

int hex_value(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
    return -1;
}

// The value of `digits` hexadecimal digits at `pos`, or -1 when there are
// not that many.
long hex_number(std::u16string_view text, std::size_t pos, std::size_t digits) {
    if (pos > text.size() || text.size() - pos < digits) return -1;
    long value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        int digit = hex_value(text[pos + i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool is_octal_digit(char16_t unit) { return unit >= u'0' && unit <= u'7'; }

// Reads the octal escape whose first digit is at `pos`: three digits when the
// first is 0-3 and two more octal digits follow, else two when a second octal
// digit follows, else one. A decimal digit after it would make the literal
// invalid; it is then simply the next character.
char16_t read_octal_escape(std::u16string_view body, std::size_t& pos) {
    std::size_t max_digits = body[pos] <= u'3' ? 3 : 2;
    int value = 0;
    std::size_t digits = 0;
    while (digits < max_digits && pos < body.size() && is_octal_digit(body[pos])) {
        value = value * 8 + (body[pos] - u'0');
        ++pos;
        ++digits;
    }
    return static_cast<char16_t>(value);
}

char16_t single_escape_value(char16_t letter) {
    switch (letter) {
        case u'b': return u'\b';
        case u't': return u'\t';
        case u'n': return u'\n';
        case u'v': return u'\v';
        case u'f': return u'\f';
        case u'r': return u'\r';
        default: return letter;  // ' " \ and every character without a meaning of its own
    }
}

// The value of `body` read as the inside of a single-quoted string literal.
std::u16string literal_value(std::u16string_view body) {
    std::u16string value;
    value.reserve(body.size());
    std::size_t pos = 0;
    while (pos < body.size()) {
        char16_t unit = body[pos++];
        if (unit != u'\\' || pos == body.size()) {
            value += unit;
            continue;
        }
        char16_t letter = body[pos];
        if (is_octal_digit(letter)) {
            value += read_octal_escape(body, pos);
        } else if (letter == u'x' && hex_number(body, pos + 1, 2) >= 0) {
            value += static_cast<char16_t>(hex_number(body, pos + 1, 2));
            pos += 3;
        } else if (letter == u'u' && hex_number(body, pos + 1, 4) >= 0) {
            value += static_cast<char16_t>(hex_number(body, pos + 1, 4));
            pos += 5;
        } else {
            value += single_escape_value(letter);
            ++pos;
        }
    }
    return value;
}

// The script language's `unescape`.
std::u16string unescape_percent(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char16_t unit = text[pos++];
        if (unit == u'%') {
            if (pos < text.size() && text[pos] == u'u' && hex_number(text, pos + 1, 4) >= 0) {
                unit = static_cast<char16_t>(hex_number(text, pos + 1, 4));
                pos += 5;
            } else if (hex_number(text, pos, 2) >= 0) {
                unit = static_cast<char16_t>(hex_number(text, pos, 2));
                pos += 2;
            }
        }
        result += unit;
    }
    return result;
}

}  // namespace

Text unescape_text(std::string_view text) {
    Text masked = replace_all(text, kLineBreak, kLineBreakMask);
    if (!masked.empty() && masked.front() == '\r') masked.erase(0, 1);
    masked = replace_all(masked, kBackslashU, kPercentU);
    masked = replace_all(masked, kApostrophe, kApostropheMask);

    std::u16string value = unescape_percent(literal_value(cp936_to_utf16(masked)));
    // The value comes back as a Text, which ends at its first NUL.
    value = value.substr(0, value.find(u'\0'));

    Text result = utf16_to_cp936(value);
    result = replace_all(result, kApostropheMask, kApostrophe);
    return replace_all(result, kLineBreakMask, kLineBreak);
}

}  // namespace vorbel
