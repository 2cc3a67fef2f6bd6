#include "tasks/posix/xdg_open_browser.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <utility>

#include "tasks/platform_browser.h"

extern char** environ;

namespace vorbel {

XdgOpenBrowser::XdgOpenBrowser(std::string program) : program_(std::move(program)) {}

void XdgOpenBrowser::open(const std::string& url) {
    if (url.empty() || url.front() == '-') return;
    std::string program = program_;
    std::string address = url;
    char* argv[] = {program.data(), address.data(), nullptr};
    pid_t child = 0;
    // posix_spawnp instead of fork: the caller is a worker thread of a
    // multi-threaded process, where only async-signal-safe work may follow
    // a fork.
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) return;
    int status = 0;
    while (waitpid(child, &status, 0) == -1 && errno == EINTR) {
    }
}

std::unique_ptr<Browser> make_platform_browser() {
    return std::make_unique<XdgOpenBrowser>();
}

}  // namespace vorbel
