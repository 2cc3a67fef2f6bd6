// Settings file access on Windows.
//
// Paths are code page 936 texts inside the program; they become UTF-16 here
// and only the W functions are called, so names with Chinese characters work
// whatever the system's ANSI code page is.
#include <windows.h>

#include <string>

#include "app/ini_file_store.h"
#include "app/platform_app.h"
#include "app/settings_file_io.h"
#include "text/codepage.h"

namespace vorbel {

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now; false when the close reported an error.
    bool close() {
        if (!valid()) return true;
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_;
};

std::wstring wide_path(const Text& path) {
    const std::u16string wide = cp936_to_utf16(path);
    return std::wstring(wide.begin(), wide.end());
}

bool write_all(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const DWORD chunk = content.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(content.size());
        DWORD written = 0;
        if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
        content.remove_prefix(written);
    }
    return true;
}

constexpr DWORD attributes_that_block_replacing = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

FileContent read_whole_file(const Text& path) {
    FileContent content;
    // Share everything: reading must not fail because another program (an
    // editor, a virus scanner) has the file open.
    Handle file(CreateFileW(wide_path(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        content.state = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                            ? FileContent::State::missing
                            : FileContent::State::unreadable;
        return content;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > largest_settings_file) {
        content.state = FileContent::State::unreadable;
        return content;
    }
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) ||
            content.bytes.size() + got > largest_settings_file) {
            content.bytes.clear();
            content.state = FileContent::State::unreadable;
            return content;
        }
        if (got == 0) break;
        content.bytes.append(buffer, got);
    }
    content.state = FileContent::State::present;
    return content;
}

bool replace_whole_file(const Text& path, std::string_view content) {
    const std::wstring target = wide_path(path);
    const std::wstring temporary = target + L".tmp";
    const DWORD old_attributes = GetFileAttributesW(target.c_str());
    const bool existed = old_attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only settings file stays as the user locked it, as with the
    // system's own INI functions.
    if (existed && (old_attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;

    // A stale temporary from an interrupted run is removed first. CREATE_NEW
    // then guarantees we write a file of our own, not one someone else holds.
    DeleteFileW(temporary.c_str());
    Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    const bool written = write_all(file.get(), content) && FlushFileBuffers(file.get());
    if (!file.close() || !written) {
        DeleteFileW(temporary.c_str());
        return false;
    }

    // Renaming over a hidden or system file is refused on some systems, so
    // those attributes are cleared for the move and given back afterwards
    // (to the new file, or to the old one when the move fails).
    const bool clear_first = existed && (old_attributes & attributes_that_block_replacing);
    if (clear_first) SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    const bool moved = MoveFileExW(temporary.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!moved) DeleteFileW(temporary.c_str());
    if (existed && (moved || clear_first)) SetFileAttributesW(target.c_str(), old_attributes);
    return moved;
}

bool make_file_hidden(const Text& path) {
    return SetFileAttributesW(wide_path(path).c_str(), FILE_ATTRIBUTE_HIDDEN) != FALSE;
}

Text running_program_dir() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return Text();
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        if (buffer.size() >= 32768) return Text();
        buffer.resize(buffer.size() * 2);
    }
    const std::size_t slash = buffer.rfind(L'\\');
    if (slash == std::wstring::npos) return Text();
    buffer.resize(slash);
    return utf16_to_cp936(std::u16string(buffer.begin(), buffer.end()));
}

std::unique_ptr<ProfileStore> make_platform_profile_store() {
    return std::make_unique<IniFileStore>(running_program_dir());
}

}  // namespace vorbel
