#include "app/application.h"

#include <utility>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "capture/capture_window.h"
#include "services/ocr_client.h"
#include "services/random_source.h"
#include "services/service_context.h"
#include "tasks/update_check.h"

namespace vorbel {

struct Application::Parts {
    explicit Parts(Platform& p)
        : platform(p),
          settings(*p.profile, *p.clock),
          // The screen size is read once: workers place the result panel
          // with it and must not call into the toolkit from their threads.
          context{*p.transport, platform.endpoints, p.toolkit->screen_width(), p.toolkit->screen_height(),
                  random_between},
          main_window(*p.toolkit, settings, main_window_services()) {}

    MainWindowServices main_window_services() {
        MainWindowServices s;
        s.open_capture_window = [this] { open_capture_window(*platform.toolkit, capture, capture_services()); };
        s.start_background_tasks = [this] { start_background_tasks(); };
        s.open_about_window = [this] { show_about_window(*platform.toolkit, platform.endpoints.update_page); };
        return s;
    }

    CaptureServices capture_services() {
        CaptureServices s;
        s.fetch_access_token = [this] {
            return fetch_ocr_token(*platform.transport, platform.endpoints, OcrAccountKind::accurate);
        };
        s.quota_left = [this](int mode) { return settings.quota_left(mode); };
        s.charge_quota = [this](int mode) { settings.charge_quota(mode); };
        s.start_recognition = [this](RecognitionJob job) {
            // The worker gets its own copy of the context and of the job.
            platform.start_thread([context = context, job = std::move(job)] { run_recognition(context, job); });
        };
        s.show_main_window = [this] { platform.toolkit->set_visible(main_window.window(), "", true); };
        s.recognition_mode = [this] { return main_window.recognition_mode(); };
        return s;
    }

    // The update check first, then the visit counter, each on its own thread.
    void start_background_tasks() {
        Platform* p = &platform;
        p->start_thread([p] {
            check_update(
                *p->page_reader, p->endpoints, [p](const Text& message) { p->toolkit->message_box(message); },
                *p->browser);
        });
        p->start_thread([p] { count_visit(*p->transport, p->endpoints); });
    }

    Platform& platform;
    Settings settings;
    ServiceContext context;
    CaptureState capture;
    MainWindow main_window;
};

Application::Application(Platform& platform) : parts_(std::make_unique<Parts>(platform)) {}

Application::~Application() = default;

WindowId Application::start() {
    return parts_->platform.toolkit->load_window(main_window_design(), parts_->main_window, false);
}

void Application::finish() {
    parts_->capture.cropped_image.reset();
    parts_->capture.access_token.reset();
}

int run_application(Platform& platform) {
    Application application(platform);
    const WindowId main = application.start();
    platform.toolkit->run_message_loop(main);
    application.finish();
    return 0;
}

}  // namespace vorbel
