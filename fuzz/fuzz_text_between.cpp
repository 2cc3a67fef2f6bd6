// Marker extraction over arbitrary texts and markers. The input's first two
// bytes give the lengths of the start and end markers (taken from the bytes
// that follow), the third picks the case rule, the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "text/dbcs.h"
#include "text/text_extract.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool is_space(std::string_view character) { return character == " " || character == "\xA1\xA1"; }

// Spaces are whole characters: " " inside a two-byte character is no space.
bool has_space_at_an_end(std::string_view piece) {
    std::string_view first, last;
    for (std::size_t pos = 0; pos < piece.size();) {
        std::size_t length = vorbel::char_length_at(piece, pos);
        last = piece.substr(pos, length);
        if (pos == 0) first = last;
        pos += length;
    }
    return is_space(first) || is_space(last);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start_length = data[0] % 8;
    std::size_t end_length = data[1] % 8;
    bool case_sensitive = (data[2] & 1) != 0;
    input.remove_prefix(3);
    std::string_view start = input.substr(0, start_length);
    input.remove_prefix(start.size());
    std::string_view end = input.substr(0, end_length);
    input.remove_prefix(end.size());
    std::string_view text = input;

    vorbel::Text piece = vorbel::text_between(text, start, end, case_sensitive);
    require(piece.size() <= text.size());
    require(piece.empty() || text.find(piece) != std::string_view::npos);

    std::vector<vorbel::Text> list{"stale"};
    int count = vorbel::collect_between(text, start, end, list, case_sensitive);
    require(count == static_cast<int>(list.size()));
    std::size_t total = 0;
    for (const auto& item : list) {
        require(!item.empty());
        require(!has_space_at_an_end(item));
        require(text.find(item) != std::string_view::npos);
        total += item.size();
    }
    // Pieces do not overlap, so together they cannot outgrow the text.
    require(total <= text.size());

    int position = vorbel::locate_text(text, end, static_cast<int>(data[2]) - 128, !case_sensitive);
    require(position == -1 || (position >= 1 && static_cast<std::size_t>(position) <= text.size()));
    return 0;
}
