// Byte and UTF-16 strings written out readably for failure messages.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel::test {

// Printable ASCII as is, every other byte as \xHH, in double quotes.
inline std::string shown(std::string_view bytes) {
    std::string out = "\"";
    for (unsigned char byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
            out += static_cast<char>(byte);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        }
    }
    return out + "\"";
}

// Each code unit as U+XXXX.
inline std::string shown(std::u16string_view units) {
    std::string out = "[";
    for (char16_t unit : units) {
        char code[12];
        std::snprintf(code, sizeof code, " U+%04X", static_cast<unsigned>(unit));
        out += code;
    }
    return out + " ]";
}

inline std::string shown(const std::vector<std::string>& list) {
    std::string out = "{";
    for (const auto& item : list) out += " " + shown(item);
    return out + " }";
}

}  // namespace vorbel::test
