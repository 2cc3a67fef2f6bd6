// Cutting values out of texts between literal markers.
//
// Web answers are never parsed as JSON or HTML: each value is taken from
// between two markers that spell out the text around it. Positions are
// 1-based byte positions in a code page 936 text, -1 meaning "absent". A
// match can only begin at the start of a character: the trail byte of a
// two-byte character never starts one.
#pragma once

#include <string_view>
#include <vector>

#include "text/text_types.h"

namespace vorbel {

// Position of the first occurrence of `sought` in `text` at or after byte
// position `from` (1 or less means the first byte), or -1 when there is
// none or `from` lies beyond the end of the text. Candidates advance one
// character at a time from `from`. An empty `sought` is found at position 1
// whenever the searched part of the text is not empty. With `ignore_case`,
// only the ASCII letters fold; every other byte must be equal.
int locate_text(std::string_view text, std::string_view sought, int from, bool ignore_case);

// The first piece of `text` between `start_marker` and `end_marker`, the end
// marker being searched after the start marker. Each "#引号" in a marker
// stands for a double quote. Returns the empty text when either marker is
// missing, or when the end marker is empty (it would be "found" before the
// start marker). An empty start marker gives everything before the first
// end marker. Nothing is trimmed.
Text text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                  bool case_sensitive = false);

// Replaces the content of `list` with every piece between the markers, in
// order, each with leading and trailing ASCII spaces and ideographic spaces
// (A1 A1) removed; tabs and line breaks stay. The next start marker is
// searched from where the previous end marker begins, so one occurrence may
// end one piece and start the next. The collection stops at the first
// missing marker or empty piece; an empty start marker yields at most the
// one piece before the first end marker. Returns the number of pieces now in
// `list`. The markers are used as given ("#引号" is not replaced).
int collect_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                    std::vector<Text>& list, bool case_sensitive);

}  // namespace vorbel
