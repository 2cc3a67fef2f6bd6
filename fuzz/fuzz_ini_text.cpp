// The INI rules on arbitrary file texts, names and values: never crash, and a
// value that could be stored reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_text.h"

namespace {

// Splits the input at NUL bytes into file text, section, key and value.
std::vector<std::string_view> fields(std::string_view input) {
    std::vector<std::string_view> parts;
    while (parts.size() < 3) {
        const std::size_t nul = input.find('\0');
        if (nul == std::string_view::npos) break;
        parts.push_back(input.substr(0, nul));
        input.remove_prefix(nul + 1);
    }
    parts.push_back(input);
    while (parts.size() < 4) parts.emplace_back();
    return parts;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Values the reader gives back as written: no blanks at the ends, not
// wrapped in quotes, no NUL.
bool reads_back_verbatim(std::string_view value) {
    if (value.find('\0') != std::string_view::npos) return false;
    if (!value.empty() && (is_blank(value.front()) || is_blank(value.back()))) return false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return false;
    return true;
}

// Names as callers pass them: the reader ignores blanks around names, so a
// name with blanks at its ends is not the name found on reading.
bool plain_name(std::string_view name) {
    return name.find('\0') == std::string_view::npos &&
           (name.empty() || (!is_blank(name.front()) && !is_blank(name.back())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> f = fields(input);
    const std::string_view file_text = f[0], section = f[1], key = f[2], value = f[3];

    (void)vorbel::ini_value(file_text, section, key);
    const std::optional<std::string> written = vorbel::ini_with_value(file_text, section, key, value);
    // A file without sections of its own can only hold the key where it was
    // just written, so it must read back exactly.
    if (written && file_text.find('[') == std::string_view::npos && plain_name(section) && plain_name(key) &&
        reads_back_verbatim(value)) {
        const std::optional<std::string> read = vorbel::ini_value(*written, section, key);
        if (!read || *read != value) std::abort();
    }
    return 0;
}
