#include "ui/win32/win32_toolkit.h"

#include <mutex>
#include <utility>

#include "ui/win32/toolkit_parts.h"

namespace vorbel {

using namespace toolkit_parts;

// Windows' end, message loops, posted tasks

void Win32Toolkit::destroy_window(WindowId id) {
    on_ui_thread([&] {
        const std::shared_ptr<Window> window = find_window(id);
        if (!window) return;
        announce_destruction(*window);
        if (IsWindow(window->hwnd)) DestroyWindow(window->hwnd);
    });
}

bool Win32Toolkit::before_dispatch(const MSG& message) {
    // With no window holding the focus, the system hands keys to the active
    // window as WM_SYSKEYDOWN; without Alt held (bit 29) they are plain keys.
    const bool plain_key = message.message == WM_KEYDOWN ||
                           (message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)) == 0);
    if (!plain_key || !message.hwnd) return false;
    // Keys reach the focused control; the window it sits in hears of them.
    const std::shared_ptr<Window> window = find_window(GetAncestor(message.hwnd, GA_ROOT));
    if (!window) return false;
    WindowHandler* handler = window->handler;
    guarded([&] { handler->key_pressed(static_cast<int>(message.wParam)); });
    return false;
}

void Win32Toolkit::pump_until_destroyed(WindowId window) {
    MSG message;
    while (windows_.count(window) != 0) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the loop around this one
            return;
        }
        if (got == -1) return;
        if (before_dispatch(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Toolkit::run_message_loop(WindowId window) {
    on_ui_thread([&] {
        ++loop_depth_;
        pump_until_destroyed(window);
        if (--loop_depth_ == 0) {
            finished_ = true;
            std::lock_guard<std::mutex> lock(tasks_mutex_);
            tasks_.clear();
        }
    });
}

void Win32Toolkit::run_pending_events() {
    on_ui_thread([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            if (before_dispatch(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    });
}

void Win32Toolkit::post(std::function<void()> task) {
    if (!task) return;
    {
        std::lock_guard<std::mutex> lock(tasks_mutex_);
        if (finished_) return;
        tasks_.push_back(std::move(task));
    }
    // A full message queue only delays the task: the next wake-up runs every
    // task queued so far.
    PostMessageW(message_window_, run_tasks_message, 0, 0);
}

void Win32Toolkit::run_posted_tasks() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(tasks_mutex_);
            if (tasks_.empty() || finished_) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        guarded(task);
    }
}

void Win32Toolkit::on_ui_thread(const std::function<void()>& call) const {
    if (GetCurrentThreadId() == ui_thread_) {
        call();
        return;
    }
    if (finished_ || !message_window_) return;
    SendMessageW(message_window_, call_message, 0, reinterpret_cast<LPARAM>(&call));
}

}  // namespace vorbel
