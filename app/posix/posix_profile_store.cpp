// Settings file access on Linux, where file names are bytes (normally UTF-8,
// in which a 0x5C byte is always a backslash) and there is no hidden
// attribute.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "app/ini_file_store.h"
#include "app/platform_app.h"
#include "app/settings_file_io.h"

namespace vorbel {

namespace {

std::string native_path(const Text& path) {
    std::string result = path;
    for (char& c : result) {
        if (c == '\\') c = '/';
    }
    return result;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false when the close reported an error (data may be lost).
    bool close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

bool write_all(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

FileContent read_whole_file(const Text& path) {
    FileContent content;
    FileDescriptor file(::open(native_path(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        content.state = (errno == ENOENT || errno == ENOTDIR) ? FileContent::State::missing
                                                               : FileContent::State::unreadable;
        return content;
    }
    struct stat info {};
    if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        content.state = FileContent::State::unreadable;
        return content;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || content.bytes.size() + static_cast<std::size_t>(got) > largest_settings_file) {
            content.bytes.clear();
            content.state = FileContent::State::unreadable;
            return content;
        }
        if (got == 0) break;
        content.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    content.state = FileContent::State::present;
    return content;
}

bool replace_whole_file(const Text& path, std::string_view content) {
    const std::string target = native_path(path);
    const std::string temporary = target + ".tmp";
    mode_t mode = 0644;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) mode = info.st_mode & 07777;

    // O_EXCL: never write through a link or into a file someone else holds
    // open under that name; a stale temporary from a crash is removed first.
    ::unlink(temporary.c_str());
    FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!file.valid()) return false;
    const bool written = write_all(file.get(), content) && ::fchmod(file.get(), mode) == 0 &&
                         ::fsync(file.get()) == 0;
    if (!file.close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool make_file_hidden(const Text& path) {
    struct stat info {};
    return ::stat(native_path(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

Text running_program_dir() {
    std::string buffer(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return Text();
    buffer.resize(static_cast<std::size_t>(length));
    const std::size_t slash = buffer.rfind('/');
    if (slash == std::string::npos) return Text();
    return buffer.substr(0, slash);
}

std::unique_ptr<ProfileStore> make_platform_profile_store() {
    return std::make_unique<IniFileStore>(running_program_dir());
}

}  // namespace vorbel
