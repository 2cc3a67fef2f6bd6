#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "tasks/platform_browser.h"
#include "text/codepage.h"

namespace vorbel {

namespace {

// COM for the calling thread while the shell works: the "open" action may be
// carried out by shell extensions that need it. A thread that already has
// COM in another apartment model keeps it untouched.
class ComForThisThread {
public:
    ComForThisThread()
        : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComForThisThread() {
        if (initialised_) CoUninitialize();
    }
    ComForThisThread(const ComForThisThread&) = delete;
    ComForThisThread& operator=(const ComForThisThread&) = delete;

private:
    bool initialised_;
};

class ShellBrowser : public Browser {
public:
    void open(const std::string& url) override {
        if (url.empty()) return;
        // The address is a code page 936 text; the wide call keeps any
        // Chinese characters in it whatever the system's ANSI code page is.
        const std::u16string wide = cp936_to_utf16(url);
        const std::wstring address(wide.begin(), wide.end());
        ComForThisThread com;
        ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
};

}  // namespace

std::unique_ptr<Browser> make_platform_browser() {
    return std::make_unique<ShellBrowser>();
}

}  // namespace vorbel
