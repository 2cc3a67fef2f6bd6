#include "text/codepage.h"

#include <algorithm>
#include <iterator>

#include "text/codepage_platform.h"

namespace vorbel {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// A base character followed by a combining mark, and the precomposed
// character that code page 936 holds for the pair. Characters such as ǘ
// compose in two steps (u + U+0308, then ü + U+0301).
struct Composition {
    char16_t base;
    char16_t mark;
    char16_t composed;
};
constexpr Composition kCompositions[] = {
    {0x003C, 0x0338, 0x226E},  // ≮
    {0x003D, 0x0338, 0x2260},  // ≠
    {0x003E, 0x0338, 0x226F},  // ≯
    {0x0061, 0x0300, 0x00E0},  // à
    {0x0061, 0x0301, 0x00E1},  // á
    {0x0061, 0x0304, 0x0101},  // ā
    {0x0061, 0x030C, 0x01CE},  // ǎ
    {0x0065, 0x0300, 0x00E8},  // è
    {0x0065, 0x0301, 0x00E9},  // é
    {0x0065, 0x0302, 0x00EA},  // ê
    {0x0065, 0x0304, 0x0113},  // ē
    {0x0065, 0x030C, 0x011B},  // ě
    {0x0069, 0x0300, 0x00EC},  // ì
    {0x0069, 0x0301, 0x00ED},  // í
    {0x0069, 0x0304, 0x012B},  // ī
    {0x0069, 0x030C, 0x01D0},  // ǐ
    {0x006E, 0x0301, 0x0144},  // ń
    {0x006E, 0x030C, 0x0148},  // ň
    {0x006F, 0x0300, 0x00F2},  // ò
    {0x006F, 0x0301, 0x00F3},  // ó
    {0x006F, 0x0304, 0x014D},  // ō
    {0x006F, 0x030C, 0x01D2},  // ǒ
    {0x0075, 0x0300, 0x00F9},  // ù
    {0x0075, 0x0301, 0x00FA},  // ú
    {0x0075, 0x0304, 0x016B},  // ū
    {0x0075, 0x0308, 0x00FC},  // ü
    {0x0075, 0x030C, 0x01D4},  // ǔ
    {0x00FC, 0x0300, 0x01DC},  // ǜ
    {0x00FC, 0x0301, 0x01D8},  // ǘ
    {0x00FC, 0x0304, 0x01D6},  // ǖ
    {0x00FC, 0x030C, 0x01DA},  // ǚ
    {0x0415, 0x0308, 0x0401},  // Ё
    {0x0418, 0x0306, 0x0419},  // Й
    {0x0435, 0x0308, 0x0451},  // ё
    {0x0438, 0x0306, 0x0439},  // й
    {0x304B, 0x3099, 0x304C},  // が
    {0x304D, 0x3099, 0x304E},  // ぎ
    {0x304F, 0x3099, 0x3050},  // ぐ
    {0x3051, 0x3099, 0x3052},  // げ
    {0x3053, 0x3099, 0x3054},  // ご
    {0x3055, 0x3099, 0x3056},  // ざ
    {0x3057, 0x3099, 0x3058},  // じ
    {0x3059, 0x3099, 0x305A},  // ず
    {0x305B, 0x3099, 0x305C},  // ぜ
    {0x305D, 0x3099, 0x305E},  // ぞ
    {0x305F, 0x3099, 0x3060},  // だ
    {0x3061, 0x3099, 0x3062},  // ぢ
    {0x3064, 0x3099, 0x3065},  // づ
    {0x3066, 0x3099, 0x3067},  // で
    {0x3068, 0x3099, 0x3069},  // ど
    {0x306F, 0x3099, 0x3070},  // ば
    {0x306F, 0x309A, 0x3071},  // ぱ
    {0x3072, 0x3099, 0x3073},  // び
    {0x3072, 0x309A, 0x3074},  // ぴ
    {0x3075, 0x3099, 0x3076},  // ぶ
    {0x3075, 0x309A, 0x3077},  // ぷ
    {0x3078, 0x3099, 0x3079},  // べ
    {0x3078, 0x309A, 0x307A},  // ぺ
    {0x307B, 0x3099, 0x307C},  // ぼ
    {0x307B, 0x309A, 0x307D},  // ぽ
    {0x309D, 0x3099, 0x309E},  // ゞ
    {0x30A6, 0x3099, 0x30F4},  // ヴ
    {0x30AB, 0x3099, 0x30AC},  // ガ
    {0x30AD, 0x3099, 0x30AE},  // ギ
    {0x30AF, 0x3099, 0x30B0},  // グ
    {0x30B1, 0x3099, 0x30B2},  // ゲ
    {0x30B3, 0x3099, 0x30B4},  // ゴ
    {0x30B5, 0x3099, 0x30B6},  // ザ
    {0x30B7, 0x3099, 0x30B8},  // ジ
    {0x30B9, 0x3099, 0x30BA},  // ズ
    {0x30BB, 0x3099, 0x30BC},  // ゼ
    {0x30BD, 0x3099, 0x30BE},  // ゾ
    {0x30BF, 0x3099, 0x30C0},  // ダ
    {0x30C1, 0x3099, 0x30C2},  // ヂ
    {0x30C4, 0x3099, 0x30C5},  // ヅ
    {0x30C6, 0x3099, 0x30C7},  // デ
    {0x30C8, 0x3099, 0x30C9},  // ド
    {0x30CF, 0x3099, 0x30D0},  // バ
    {0x30CF, 0x309A, 0x30D1},  // パ
    {0x30D2, 0x3099, 0x30D3},  // ビ
    {0x30D2, 0x309A, 0x30D4},  // ピ
    {0x30D5, 0x3099, 0x30D6},  // ブ
    {0x30D5, 0x309A, 0x30D7},  // プ
    {0x30D8, 0x3099, 0x30D9},  // ベ
    {0x30D8, 0x309A, 0x30DA},  // ペ
    {0x30DB, 0x3099, 0x30DC},  // ボ
    {0x30DB, 0x309A, 0x30DD},  // ポ
    {0x30FD, 0x3099, 0x30FE},  // ヾ
};

char16_t composed_form(char16_t base, char16_t mark) {
    auto found = std::lower_bound(std::begin(kCompositions), std::end(kCompositions), Composition{base, mark, 0},
                                  [](const Composition& a, const Composition& b) {
                                      return a.base != b.base ? a.base < b.base : a.mark < b.mark;
                                  });
    if (found != std::end(kCompositions) && found->base == base && found->mark == mark) return found->composed;
    return 0;
}

std::u16string compose_for_cp936(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t unit : text) {
        char16_t composed = out.empty() ? 0 : composed_form(out.back(), unit);
        if (composed != 0) {
            out.back() = composed;
        } else {
            out += unit;
        }
    }
    return out;
}

bool is_high_surrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool is_cp936_lead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool is_cp936_trail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

void append_utf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void append_utf16(char32_t code, std::u16string& out) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
}

// The accepted range of the second byte of a UTF-8 sequence, which excludes
// overlong forms, encoded surrogates and values above U+10FFFF.
bool second_byte_fits(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0: return second >= 0xA0 && second <= 0xBF;
        case 0xED: return second >= 0x80 && second <= 0x9F;
        case 0xF0: return second >= 0x90 && second <= 0xBF;
        case 0xF4: return second >= 0x80 && second <= 0x8F;
        default: return second >= 0x80 && second <= 0xBF;
    }
}

}  // namespace

std::u16string cp936_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t run_start = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto byte = static_cast<unsigned char>(text[pos]);
        if (byte <= 0x80) {
            ++pos;
        } else if (is_cp936_lead(byte) && pos + 1 < text.size() && is_cp936_trail(static_cast<unsigned char>(text[pos + 1]))) {
            pos += 2;
        } else {
            decode_cp936_chars(text.substr(run_start, pos - run_start), out);
            out += kReplacement;
            run_start = ++pos;
        }
    }
    decode_cp936_chars(text.substr(run_start), out);
    return out;
}

std::string utf16_to_cp936(std::u16string_view text) {
    std::u16string composed = compose_for_cp936(text);
    std::u16string_view units = composed;
    std::string out;
    out.reserve(units.size() * 2);
    std::size_t run_start = 0;
    std::size_t pos = 0;
    while (pos < units.size()) {
        if (!is_high_surrogate(units[pos]) && !is_low_surrogate(units[pos])) {
            ++pos;
            continue;
        }
        // Code page 936 has no character outside the basic plane: a whole
        // pair, like a lone surrogate, is one unrepresentable character.
        encode_cp936_chars(units.substr(run_start, pos - run_start), out);
        out += '?';
        bool pair = is_high_surrogate(units[pos]) && pos + 1 < units.size() && is_low_surrogate(units[pos + 1]);
        pos += pair ? 2 : 1;
        run_start = pos;
    }
    encode_cp936_chars(units.substr(run_start), out);
    return out;
}

std::u16string utf8_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto lead = static_cast<unsigned char>(text[pos]);
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            ++pos;
            continue;
        }
        std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        char32_t code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        // Take continuation bytes while they fit; a sequence cut short is
        // one ill-formed subsequence and becomes one replacement character.
        std::size_t taken = 1;
        while (taken < length && pos + taken < text.size()) {
            auto next = static_cast<unsigned char>(text[pos + taken]);
            bool fits = taken == 1 ? second_byte_fits(lead, next) : (next >= 0x80 && next <= 0xBF);
            if (!fits) break;
            code = (code << 6) | (next & 0x3F);
            ++taken;
        }
        if (length != 0 && taken == length) {
            append_utf16(code, out);
        } else {
            out += kReplacement;
        }
        pos += taken;
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        char32_t unit = text[pos];
        if (is_high_surrogate(unit) && pos + 1 < text.size() && is_low_surrogate(text[pos + 1])) {
            char32_t low = text[++pos];
            append_utf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), out);
        } else if (is_high_surrogate(unit) || is_low_surrogate(unit)) {
            append_utf8(kReplacement, out);
        } else {
            append_utf8(unit, out);
        }
    }
    return out;
}

Text utf8_to_cp936(std::string_view text) { return utf16_to_cp936(utf8_to_utf16(text)); }

std::string cp936_to_utf8(std::string_view text) { return utf16_to_utf8(cp936_to_utf16(text)); }

}  // namespace vorbel
