// Owns one WinInet handle and closes it when it goes out of scope. Declare
// them in opening order (internet, connection, request): C++ destroys in the
// reverse order, which is the order WinInet wants them closed.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <utility>

#include "net/net_timeouts.h"

namespace vorbel {

class InternetHandle {
public:
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_) InternetCloseHandle(handle_);
    }
    InternetHandle(InternetHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    InternetHandle& operator=(InternetHandle&& other) noexcept {
        if (this != &other) {
            if (handle_) InternetCloseHandle(handle_);
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_ = nullptr;
};

// Applies `timeouts` to a handle; handles opened under it inherit them.
// The send and receive time-outs bound each single send or receive, that is
// a stall, not the whole transfer. Set on every level: not every WinInet
// passes the session's values down to the request.
inline void apply_timeouts(HINTERNET handle, const NetTimeouts& timeouts) {
    DWORD connect = static_cast<DWORD>(timeouts.connect_ms);
    DWORD stall = static_cast<DWORD>(timeouts.stall_ms);
    InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    InternetSetOptionA(handle, INTERNET_OPTION_SEND_TIMEOUT, &stall, sizeof stall);
    InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &stall, sizeof stall);
    InternetSetOptionA(handle, INTERNET_OPTION_DATA_SEND_TIMEOUT, &stall, sizeof stall);
    InternetSetOptionA(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &stall, sizeof stall);
}

}  // namespace vorbel
