#include "text/text_extract.h"

#include <climits>
#include <cstddef>

#include "text/dbcs.h"
#include "text/replace.h"

namespace vorbel {
namespace {

// A double quote cannot be written inside the markers of some callers'
// tables, so this word stands for one.
constexpr std::string_view kQuoteWord = "#\xD2\xFD\xBA\xC5";  // #引号

char fold_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool matches_at(std::string_view text, std::size_t pos, std::string_view sought, bool ignore_case) {
    if (sought.size() > text.size() - pos) return false;
    for (std::size_t i = 0; i < sought.size(); ++i) {
        char a = text[pos + i];
        char b = sought[i];
        if (ignore_case ? fold_ascii(a) != fold_ascii(b) : a != b) return false;
    }
    return true;
}

// Positions are ints for the callers; a text too long for one has no
// position to report, so a match there counts as absent.
int to_position(std::size_t index) { return index < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(index) + 1 : -1; }

// Leading and trailing ASCII spaces and ideographic spaces removed, found by
// walking characters so that a trail byte of A1 is never taken for half a
// space.
std::string_view trim_spaces(std::string_view piece) {
    std::size_t first = piece.size();
    std::size_t end = 0;
    std::size_t pos = 0;
    while (pos < piece.size()) {
        std::size_t length = char_length_at(piece, pos);
        std::string_view ch = piece.substr(pos, length);
        bool space = ch == " " || ch == "\xA1\xA1";
        if (!space) {
            if (first == piece.size()) first = pos;
            end = pos + length;
        }
        pos += length;
    }
    if (first == piece.size()) return {};
    return piece.substr(first, end - first);
}

// The bytes from position `from` up to, not including, position `to`; empty
// when `to` does not lie after `from`.
std::string_view span_between(std::string_view text, int from, int to) {
    if (from < 1 || to <= from) return {};
    return text.substr(static_cast<std::size_t>(from) - 1, static_cast<std::size_t>(to - from));
}

}  // namespace

int locate_text(std::string_view text, std::string_view sought, int from, bool ignore_case) {
    std::size_t pos = from <= 1 ? 0 : static_cast<std::size_t>(from) - 1;
    if (pos >= text.size()) return -1;
    if (sought.empty()) return 1;
    while (pos < text.size()) {
        if (matches_at(text, pos, sought, ignore_case)) return to_position(pos);
        pos += starts_double_byte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    }
    return -1;
}

Text text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                  bool case_sensitive) {
    Text start = replace_all(start_marker, kQuoteWord, "\"");
    Text end = replace_all(end_marker, kQuoteWord, "\"");
    bool ignore_case = !case_sensitive;
    int s = locate_text(text, start, 1, ignore_case);
    if (s == -1) return {};
    s += static_cast<int>(start.size());
    int e = locate_text(text, end, s, ignore_case);
    if (e == -1) return {};
    return Text(span_between(text, s, e));
}

int collect_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                    std::vector<Text>& list, bool case_sensitive) {
    list.clear();
    bool ignore_case = !case_sensitive;
    int p = 1;
    for (;;) {
        int s = locate_text(text, start_marker, p, ignore_case);
        // An empty start marker is "found" at position 1 from anywhere; taking
        // it again would repeat the first piece for ever.
        if (s == -1 || s < p) break;
        int after_start = s + static_cast<int>(start_marker.size());
        int e = locate_text(text, end_marker, after_start, ignore_case);
        if (e == -1) break;
        std::string_view piece = trim_spaces(span_between(text, after_start, e));
        if (piece.empty()) break;
        list.emplace_back(piece);
        p = e;
    }
    return static_cast<int>(list.size());
}

}  // namespace vorbel
