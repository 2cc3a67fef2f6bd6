// In-memory settings store for tests: one INI text per file name, kept
// with the same rules as the real store, and a log of every write.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/profile_store.h"

namespace vorbel {

class MemoryProfileStore : public ProfileStore {
public:
    struct Write {
        Text file, section, key, value;
        bool operator==(const Write&) const = default;
    };

    explicit MemoryProfileStore(Text program_dir = "C:\\Vorbel");

    Text program_dir() override { return program_dir_; }
    Text read(const Text& file, const Text& section, const Text& key) override;
    // Logged whether or not it succeeds; fails while fail_writes is set.
    bool write(const Text& file, const Text& section, const Text& key, const Text& value) override;
    // Records the file as hidden; false for a file that does not exist.
    bool set_hidden(const Text& file) override;

    // --- Test controls ---
    // The file's whole text; empty when it does not exist.
    Text file_text(const Text& file) const;
    void set_file_text(const Text& file, const Text& text) { files_[file] = text; }
    bool exists(const Text& file) const { return files_.count(file) != 0; }
    bool hidden(const Text& file) const { return hidden_.count(file) != 0; }

    bool fail_writes = false;
    std::vector<Write> writes;

private:
    Text program_dir_;
    std::map<Text, Text> files_;
    std::set<Text> hidden_;
};

}  // namespace vorbel
