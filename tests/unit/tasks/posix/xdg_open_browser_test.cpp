#include "tasks/posix/xdg_open_browser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vorbel {
namespace {

namespace fs = std::filesystem;

// A folder with a launcher script that writes each argument it gets on a
// line of its own into args.txt.
class LauncherFolder {
public:
    LauncherFolder() {
        std::string pattern = (fs::temp_directory_path() / "vorbel-browser-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
        std::ofstream script(launcher());
        script << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> \"" << args_file().string() << "\"; done\n";
        script.close();
        chmod(launcher().c_str(), 0700);
    }
    ~LauncherFolder() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path launcher() const { return folder_ / "launcher"; }
    fs::path args_file() const { return folder_ / "args.txt"; }
    // What the launcher was given; nothing when it did not run.
    std::string arguments() const {
        std::ifstream in(args_file());
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

private:
    fs::path folder_;
};

TEST(XdgOpenBrowser, HandsTheAddressToTheLauncherAsOneArgument) {
    struct Case {
        std::string url;
        std::string want;  // the launcher's argument lines
    };
    const Case cases[] = {
        {"https://vorbel.net/article/update.html", "https://vorbel.net/article/update.html\n"},
        {"https://vorbel.net/a?b=1&c=2 d;e", "https://vorbel.net/a?b=1&c=2 d;e\n"},
        {"", ""},                   // nothing to open
        {"--help", ""},             // would be read as an option
        {"-https://x.example/", ""},
    };
    for (const Case& c : cases) {
        LauncherFolder folder;
        XdgOpenBrowser browser(folder.launcher().string());
        browser.open(c.url);
        EXPECT_EQ(folder.arguments(), c.want) << "url: " << c.url;
    }
}

}  // namespace
}  // namespace vorbel
