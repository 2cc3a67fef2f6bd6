#include "ui/fake/fake_toolkit.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace vorbel {

FakeToolkit::FakeToolkit(int screen_width, int screen_height)
    : screen_width_(screen_width), screen_height_(screen_height) {}

WindowId FakeToolkit::load_window(const WindowDesign& design, WindowHandler& handler, bool modal) {
    const WindowId id = next_id_++;
    Window& w = windows_[id];
    w.design = design;
    w.handler = &handler;
    w.modal = modal;
    w.self.left = design.left;
    w.self.top = design.top;
    w.self.width = design.width;
    w.self.height = design.height;
    w.self.text = design.title;
    w.self.visible = false;
    for (const ControlDesign& c : design.controls) {
        Control& control = w.controls[c.name];
        control.design = c;
        control.left = c.left;
        control.top = c.top;
        control.width = c.width;
        control.height = c.height;
        control.visible = c.visible;
        control.text = c.text;
    }
    handler.created(id);
    if (window_exists(id)) show(id);
    if (window_exists(id)) windows_.at(id).handler->activated();
    return id;
}

void FakeToolkit::destroy_window(WindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    it->second.handler->will_be_destroyed();
    windows_.erase(window);
}

bool FakeToolkit::window_exists(WindowId window) const { return windows_.count(window) != 0; }

FakeToolkit::Control* FakeToolkit::find(WindowId window, const std::string& control) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return nullptr;
    if (control.empty()) return &it->second.self;
    auto c = it->second.controls.find(control);
    return c == it->second.controls.end() ? nullptr : &c->second;
}

const FakeToolkit::Control* FakeToolkit::find(WindowId window, const std::string& control) const {
    return const_cast<FakeToolkit*>(this)->find(window, control);
}

void FakeToolkit::set_left(WindowId window, const std::string& control, int value) {
    if (Control* c = find(window, control)) c->left = value;
}
void FakeToolkit::set_top(WindowId window, const std::string& control, int value) {
    if (Control* c = find(window, control)) c->top = value;
}
void FakeToolkit::set_width(WindowId window, const std::string& control, int value) {
    if (Control* c = find(window, control)) c->width = value;
}
void FakeToolkit::set_height(WindowId window, const std::string& control, int value) {
    if (Control* c = find(window, control)) c->height = value;
}
int FakeToolkit::width(WindowId window, const std::string& control) const {
    const Control* c = find(window, control);
    return c ? c->width : 0;
}
int FakeToolkit::height(WindowId window, const std::string& control) const {
    const Control* c = find(window, control);
    return c ? c->height : 0;
}

void FakeToolkit::set_visible(WindowId window, const std::string& control, bool visible) {
    if (control.empty()) {
        if (visible) show(window); else hide(window);
        return;
    }
    if (Control* c = find(window, control)) c->visible = visible;
}
bool FakeToolkit::visible(WindowId window, const std::string& control) const {
    const Control* c = find(window, control);
    return c && c->visible;
}
void FakeToolkit::set_enabled(WindowId window, const std::string& control, bool enabled) {
    if (Control* c = find(window, control)) c->enabled = enabled;
}
bool FakeToolkit::enabled(WindowId window, const std::string& control) const {
    const Control* c = find(window, control);
    return c && c->enabled;
}

void FakeToolkit::set_text(WindowId window, const std::string& control, const std::string& text) {
    if (Control* c = find(window, control)) c->text = text;
}
std::string FakeToolkit::text(WindowId window, const std::string& control) const {
    const Control* c = find(window, control);
    return c ? c->text : std::string();
}
void FakeToolkit::append_text(WindowId window, const std::string& control, const std::string& text) {
    if (Control* c = find(window, control)) c->text += text;
}

void FakeToolkit::set_checked(WindowId window, const std::string& control, bool checked) {
    Control* c = find(window, control);
    if (!c) return;
    // Radio buttons of one container exclude each other, as on the platform.
    if (checked && c->design.kind == ControlKind::radio_button) {
        for (auto& [name, other] : windows_.at(window).controls) {
            if (other.design.kind == ControlKind::radio_button &&
                other.design.container == c->design.container) {
                other.checked = false;
            }
        }
    }
    c->checked = checked;
}
bool FakeToolkit::checked(WindowId window, const std::string& control) const {
    const Control* c = find(window, control);
    return c && c->checked;
}

void FakeToolkit::set_canvas_picture(WindowId window, const std::string& canvas, std::string bmp) {
    if (Control* c = find(window, canvas)) c->picture = std::move(bmp);
}
std::string FakeToolkit::canvas_picture(WindowId window, const std::string& canvas) const {
    const Control* c = find(window, canvas);
    return c ? c->picture : std::string();
}
void FakeToolkit::clear_canvas(WindowId window, const std::string& canvas) {
    if (find(window, canvas)) windows_.at(window).canvas_log.push_back("clear");
}
void FakeToolkit::set_pen(WindowId window, const std::string& canvas, int width, std::uint32_t colour_bgr) {
    if (!find(window, canvas)) return;
    char line[48];
    std::snprintf(line, sizeof line, "pen %d %08x", width, static_cast<unsigned>(colour_bgr));
    windows_.at(window).canvas_log.push_back(line);
}
void FakeToolkit::draw_line(WindowId window, const std::string& canvas, int x1, int y1, int x2, int y2) {
    if (!find(window, canvas)) return;
    char line[80];
    std::snprintf(line, sizeof line, "line %d %d %d %d", x1, y1, x2, y2);
    windows_.at(window).canvas_log.push_back(line);
}

void FakeToolkit::centre_window(WindowId window) {
    Control* w = find(window, "");
    if (!w || !w->visible) return;
    w->left = (screen_width_ - w->width) / 2;
    w->top = (screen_height_ - w->height) / 2;
    windows_.at(window).centred = true;
    event_log.push_back("centre");
}
void FakeToolkit::set_topmost(WindowId window, bool topmost) {
    if (!window_exists(window)) return;
    windows_.at(window).topmost = topmost;
    event_log.push_back(topmost ? "topmost on" : "topmost off");
}
void FakeToolkit::run_pending_events() { event_log.push_back("pending events"); }

int FakeToolkit::register_hotkey(WindowId window, const std::string& label, int key) {
    (void)label;
    if (!window_exists(window)) return 0;
    registered_hotkeys.push_back(key);
    return hotkey_result;
}

void FakeToolkit::message_box(const std::string& text) {
    std::lock_guard<std::mutex> lock(posted_mutex_);
    message_boxes.push_back(text);
}

std::string FakeToolkit::screenshot() { return next_screenshot; }

void FakeToolkit::post(std::function<void()> task) {
    std::lock_guard<std::mutex> lock(posted_mutex_);
    posted_.push_back(std::move(task));
}

void FakeToolkit::run_message_loop(WindowId window) {
    (void)window;
    run_posted();
}

void FakeToolkit::run_posted() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(posted_mutex_);
            if (posted_.empty()) return;
            task = std::move(posted_.front());
            posted_.pop_front();
        }
        task();
    }
}

std::size_t FakeToolkit::posted_count() const {
    std::lock_guard<std::mutex> lock(posted_mutex_);
    return posted_.size();
}

WindowId FakeToolkit::find_window(const std::string& design_name) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (it->second.design.name == design_name) return it->first;
    }
    return no_window;
}

FakeToolkit::Window& FakeToolkit::window(WindowId id) { return windows_.at(id); }

FakeToolkit::Control& FakeToolkit::control(WindowId id, const std::string& name) {
    Control* c = find(id, name);
    if (!c) throw std::out_of_range("no control " + name);
    return *c;
}

void FakeToolkit::click(WindowId id, const std::string& control) {
    if (!window_exists(id)) return;
    Control* c = find(id, control);
    if (c && c->design.kind == ControlKind::radio_button) set_checked(id, control, true);
    windows_.at(id).handler->clicked(control);
}

void FakeToolkit::show(WindowId id) {
    Control* w = find(id, "");
    if (!w || w->visible) return;
    w->visible = true;
    windows_.at(id).handler->shown();
}

void FakeToolkit::hide(WindowId id) {
    if (Control* w = find(id, "")) w->visible = false;
}

}  // namespace vorbel
