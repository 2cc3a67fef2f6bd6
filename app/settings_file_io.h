// The few file operations the INI store needs, one implementation per
// platform (win32/, posix/). Paths are texts in the platform's file name
// encoding (code page 936 on Windows), and a backslash separates folders on
// every platform: the POSIX implementation turns each one into "/".
#pragma once

#include <string_view>

#include "text/text_types.h"

namespace vorbel {

struct FileContent {
    enum class State { present, missing, unreadable };
    State state = State::missing;
    Bytes bytes;  // the whole file when present
};

// Files larger than this are refused as unreadable: config.ini is tiny, and
// a huge file there is not one the program wrote.
inline constexpr std::size_t largest_settings_file = 4 * 1024 * 1024;

// The whole file. `missing` when the file does not exist; `unreadable` when
// it exists but cannot be read or is larger than largest_settings_file.
FileContent read_whole_file(const Text& path);

// Replaces the file's content with `content` in one step: the new content
// goes to a temporary file beside it, which then takes the file's place, so
// the file is never seen half-written. The file's attributes are kept.
// Returns true on success; on failure the file keeps its old content and no
// temporary file is left.
bool replace_whole_file(const Text& path, std::string_view content);

// Makes the hidden attribute the file's only attribute. Platforms without a
// hidden attribute leave the file as it is. False when the file does not
// exist or its attributes cannot be set.
bool make_file_hidden(const Text& path);

// The folder of the running program, without a trailing separator; empty
// when it cannot be found.
Text running_program_dir();

}  // namespace vorbel
