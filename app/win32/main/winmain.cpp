// vorbel.exe: puts the Windows pieces together and runs the program.
#include <windows.h>

#include <thread>
#include <utility>

#include "app/application.h"
#include "app/platform_app.h"
#include "net/endpoints.h"
#include "net/platform_net.h"
#include "tasks/platform_browser.h"
#include "ui/platform_toolkit.h"
#include "ui/win32/dpi.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before any window exists, so every size and screenshot is physical.
    vorbel::make_process_dpi_aware();

    std::unique_ptr<vorbel::Toolkit> toolkit = vorbel::make_platform_toolkit();
    std::unique_ptr<vorbel::ProfileStore> profile = vorbel::make_platform_profile_store();
    std::unique_ptr<vorbel::Clock> clock = vorbel::make_platform_clock();
    std::unique_ptr<vorbel::HttpTransport> transport = vorbel::make_platform_transport();
    std::unique_ptr<vorbel::PageReader> page_reader = vorbel::make_platform_page_reader();
    std::unique_ptr<vorbel::Browser> browser = vorbel::make_platform_browser();

    vorbel::Platform platform;
    platform.toolkit = toolkit.get();
    platform.profile = profile.get();
    platform.clock = clock.get();
    platform.transport = transport.get();
    platform.page_reader = page_reader.get();
    platform.browser = browser.get();
    platform.start_thread = [](std::function<void()> routine) {
        try {
            std::thread(std::move(routine)).detach();
        } catch (...) {
            // No thread to be had: the routine's work is lost, the program goes on.
        }
    };
    platform.endpoints = vorbel::Endpoints::from_environment();

    const int code = vorbel::run_application(platform);
    // Workers may still be running and are never waited for: end the process
    // here, before static destructors could pull anything from under them.
    ExitProcess(static_cast<UINT>(code));
}
