#include "app/ini_file_store.h"

#include <utility>

#include "app/ini_text.h"
#include "app/settings_file_io.h"

namespace vorbel {

IniFileStore::IniFileStore(Text program_dir) : program_dir_(std::move(program_dir)) {}

Text IniFileStore::program_dir() { return program_dir_; }

Text IniFileStore::read(const Text& file, const Text& section, const Text& key) {
    const FileContent content = read_whole_file(file);
    if (content.state != FileContent::State::present) return Text();
    Text value = ini_value(content.bytes, section, key).value_or(Text());
    if (value.size() > profile_value_buffer - 1) value.resize(profile_value_buffer - 1);
    return value;
}

bool IniFileStore::write(const Text& file, const Text& section, const Text& key, const Text& value) {
    const FileContent content = read_whole_file(file);
    // Writing over a file we could not read would lose whatever it holds.
    if (content.state == FileContent::State::unreadable) return false;
    const auto updated = ini_with_value(content.bytes, section, key, value);
    if (!updated) return false;
    if (content.state == FileContent::State::present && *updated == content.bytes) return true;
    return replace_whole_file(file, *updated);
}

bool IniFileStore::set_hidden(const Text& file) { return make_file_hidden(file); }

}  // namespace vorbel
