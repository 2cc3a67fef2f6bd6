#include "app/ini_text.h"

#include <vector>

#include "app/cp936_scan.h"

namespace vorbel {

namespace {

struct Line {
    std::size_t start = 0;  // first byte of the line
    std::size_t end = 0;    // one past its content, before "\r\n" or "\n"
    std::size_t next = 0;   // first byte of the following line
};

std::vector<Line> split_lines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t feed = text.find('\n', start);
        Line line;
        line.start = start;
        line.next = feed == std::string_view::npos ? text.size() : feed + 1;
        line.end = feed == std::string_view::npos ? text.size() : feed;
        if (line.end > line.start && text[line.end - 1] == '\r') --line.end;
        lines.push_back(line);
        start = line.next;
    }
    return lines;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t pos = 0; pos < a.size();) {
        const std::size_t length = char_length_at(a, pos);
        if (length == 2) {
            if (a.compare(pos, 2, b.substr(pos, 2)) != 0) return false;
        } else if (ascii_lower(a[pos]) != ascii_lower(b[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

// The name of a section header line, or nullopt when the line is none.
std::optional<std::string_view> section_name(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = cp936_find(line, "]", 1);
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct Entry {
    std::string_view key;    // trimmed
    std::string_view value;  // trimmed, quotes kept
    bool has_value = false;
};

Entry entry_of(std::string_view line) {
    Entry entry;
    const std::size_t equals = cp936_find(line, "=");
    if (equals == std::string_view::npos) {
        entry.key = trim(line);
        return entry;
    }
    entry.key = trim(line.substr(0, equals));
    entry.value = trim(line.substr(equals + 1));
    entry.has_value = true;
    return entry;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Where a section's lines lie in the list of lines: the header and the
// first line of the next section (or the end).
struct SectionSpan {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<SectionSpan> find_section(std::string_view text, const std::vector<Line>& lines,
                                        std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = section_name(text.substr(lines[i].start, lines[i].end - lines[i].start));
        if (!name || !same_name(*name, section)) continue;
        SectionSpan span{i, i + 1};
        while (span.end < lines.size() &&
               !section_name(text.substr(lines[span.end].start,
                                         lines[span.end].end - lines[span.end].start))) {
            ++span.end;
        }
        return span;
    }
    return std::nullopt;
}

std::string_view content_of(std::string_view text, const Line& line) {
    return text.substr(line.start, line.end - line.start);
}

bool has_line_break(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A name whose last byte starts a two-byte character would swallow the "]"
// or "=" written after it when the file is read back.
bool ends_inside_character(std::string_view name) {
    std::size_t pos = 0;
    while (pos < name.size()) {
        const std::size_t length = char_length_at(name, pos);
        if (length == 1 && starts_double_byte(static_cast<unsigned char>(name[pos]))) return true;
        pos += length;
    }
    return false;
}

bool storable(std::string_view section, std::string_view key, std::string_view value) {
    if (trim(section).empty() || trim(key).empty()) return false;
    if (ends_inside_character(section) || ends_inside_character(key)) return false;
    if (has_line_break(section) || has_line_break(key) || has_line_break(value)) return false;
    if (cp936_find(section, "]") != std::string_view::npos) return false;
    if (cp936_find(key, "=") != std::string_view::npos) return false;
    return trim(key).front() != '[';
}

// The text ends in the middle of a line: a line added after it needs a
// line break first.
bool ends_open(std::string_view text) { return !text.empty() && text.back() != '\n'; }

}  // namespace

std::optional<std::string> ini_value(std::string_view file_text, std::string_view section,
                                     std::string_view key) {
    const std::vector<Line> lines = split_lines(file_text);
    const auto span = find_section(file_text, lines, section);
    if (!span) return std::nullopt;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const Entry entry = entry_of(content_of(file_text, lines[i]));
        if (!entry.key.empty() && same_name(entry.key, key)) return std::string(unquoted(entry.value));
    }
    return std::nullopt;
}

std::optional<std::string> ini_with_value(std::string_view file_text, std::string_view section,
                                          std::string_view key, std::string_view value) {
    if (!storable(section, key, value)) return std::nullopt;
    const std::string new_line = std::string(trim(key)) + "=" + std::string(value);
    const std::vector<Line> lines = split_lines(file_text);
    const auto span = find_section(file_text, lines, section);

    if (!span) {
        std::string result(file_text);
        if (ends_open(result)) result += "\r\n";
        result += "[" + std::string(trim(section)) + "]\r\n" + new_line + "\r\n";
        return result;
    }

    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const std::string_view line = content_of(file_text, lines[i]);
        const Entry entry = entry_of(line);
        if (entry.key.empty() || !same_name(entry.key, key)) continue;
        // Keep the key as the file spells it, with any indentation.
        const std::size_t key_end = static_cast<std::size_t>(entry.key.data() - line.data()) + entry.key.size();
        std::string result(file_text.substr(0, lines[i].start));
        result += line.substr(0, key_end);
        result += "=";
        result += value;
        result += file_text.substr(lines[i].end);
        return result;
    }

    std::size_t last = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (!trim(content_of(file_text, lines[i])).empty()) last = i;
    }
    const std::size_t insert_at = lines[last].next;
    std::string result(file_text.substr(0, insert_at));
    if (ends_open(result)) result += "\r\n";
    result += new_line + "\r\n";
    result += file_text.substr(insert_at);
    return result;
}

}  // namespace vorbel
