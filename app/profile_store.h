// Storage of the settings file: INI values read and written one at a time.
#pragma once

#include <string>

#include "text/text_types.h"

namespace vorbel {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The program's own folder, without a trailing separator.
    virtual Text program_dir() = 0;
    // The value of `key` in `section` of `file`, cut to its first 10,239
    // bytes. Empty when the file, the section or the key is missing or the
    // file cannot be read.
    virtual Text read(const Text& file, const Text& section, const Text& key) = 0;
    // Creates the file, section or key when missing, replaces an existing
    // value, and appends a new key at the end of its section. Returns false
    // when nothing could be written; the file then keeps its old content.
    virtual bool write(const Text& file, const Text& section, const Text& key, const Text& value) = 0;
    // Makes the hidden attribute the file's only attribute. False on failure.
    virtual bool set_hidden(const Text& file) = 0;
};

}  // namespace vorbel
