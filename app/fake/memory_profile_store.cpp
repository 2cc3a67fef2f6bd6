#include "app/fake/memory_profile_store.h"

#include <utility>

#include "app/ini_file_store.h"
#include "app/ini_text.h"

namespace vorbel {

MemoryProfileStore::MemoryProfileStore(Text program_dir) : program_dir_(std::move(program_dir)) {}

Text MemoryProfileStore::read(const Text& file, const Text& section, const Text& key) {
    auto it = files_.find(file);
    if (it == files_.end()) return Text();
    Text value = ini_value(it->second, section, key).value_or(Text());
    if (value.size() > profile_value_buffer - 1) value.resize(profile_value_buffer - 1);
    return value;
}

bool MemoryProfileStore::write(const Text& file, const Text& section, const Text& key, const Text& value) {
    writes.push_back({file, section, key, value});
    if (fail_writes) return false;
    auto updated = ini_with_value(file_text(file), section, key, value);
    if (!updated) return false;
    files_[file] = std::move(*updated);
    return true;
}

bool MemoryProfileStore::set_hidden(const Text& file) {
    if (!exists(file)) return false;
    hidden_.insert(file);
    return true;
}

Text MemoryProfileStore::file_text(const Text& file) const {
    auto it = files_.find(file);
    return it == files_.end() ? Text() : it->second;
}

}  // namespace vorbel
