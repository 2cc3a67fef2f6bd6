// The settings file as an INI text file that this program reads and writes
// itself, on every platform.
//
// The Windows INI functions are not used: their A forms work in the system's
// ANSI code page, and WritePrivateProfileStringW creates a missing file in
// that code page too, so on a system whose ANSI code page is not 936 the file
// would not hold code page 936 text. Doing the INI rules here (ini_text.h)
// keeps the file in code page 936 whatever the system locale, gives the same
// results on every platform, and lets every write replace the file in one
// step instead of rewriting it in place.
#pragma once

#include <cstddef>

#include "app/profile_store.h"

namespace vorbel {

// Values are read through a buffer of this size, as the Windows INI
// functions do, so a longer value is cut to its first 10,239 bytes.
inline constexpr std::size_t profile_value_buffer = 10240;

class IniFileStore : public ProfileStore {
public:
    explicit IniFileStore(Text program_dir);

    // The folder given at construction.
    Text program_dir() override;
    // Empty when the file is missing or unreadable, or the section or key is
    // missing.
    Text read(const Text& file, const Text& section, const Text& key) override;
    // False when the file exists but cannot be read, when the names or the
    // value would break the file's lines (see ini_with_value), or when the
    // new content cannot be put in place; the file then keeps its old
    // content. Writing the value a key already has changes nothing.
    bool write(const Text& file, const Text& section, const Text& key, const Text& value) override;
    bool set_hidden(const Text& file) override;

private:
    Text program_dir_;
};

}  // namespace vorbel
