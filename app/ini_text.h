// The INI rules on a file's text, apart from any file system.
//
// A section starts at a line "[name]"; its keys are the lines "key=value"
// until the next section. Names compare without regard to ASCII case, one
// character at a time, so the trail byte of a two-byte character never
// folds. Blanks around names and values are ignored, and a value enclosed in
// a pair of matching quotes loses them, as the Windows INI functions read
// them. Lines are ended by "\n" or "\r\n"; lines the rules do not recognise
// are kept as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorbel {

// The value of `key` in the first section named `section`; nullopt when
// either is missing.
std::optional<std::string> ini_value(std::string_view file_text, std::string_view section,
                                     std::string_view key);

// `file_text` with `key` of `section` set to `value`: an existing key (its
// first occurrence) keeps its place and spelling and gets the new value; a
// new key goes after the last non-blank line of its section; a new section
// goes at the end of the file. New lines end with "\r\n". Every other byte of
// the text is kept. nullopt when the names or the value cannot be stored
// without changing the file's structure: an empty name, a line break in any
// of them, "]" in the section name, "=" in the key or a key starting with
// "[".
std::optional<std::string> ini_with_value(std::string_view file_text, std::string_view section,
                                          std::string_view key, std::string_view value);

}  // namespace vorbel
