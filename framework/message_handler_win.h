// The one place window messages meet C++: a virtual hook per kind of message, and
// a firewall so that no exception ever unwinds into the system's code. Windows of
// our own classes (CWindowImpl) and dialogs (CDialog) both dispatch through it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "framework/window_win.h"

namespace vh {

class CMessageHandler : public CWindow {
  public:
    virtual ~CMessageHandler() = default;

  protected:
    // Called first for every message; a value means handled, with that result.
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }
    // The hooks return whether they handled the message.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual std::optional<LRESULT> OnNotify(const NMHDR&) { return std::nullopt; }
    virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
    virtual bool OnPaint() { return false; }
    virtual bool OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) { return false; }
    virtual bool OnActivate(bool /*active*/, HWND /*other*/) { return false; }
    virtual bool OnClose() { return false; }
    virtual void OnDestroy() {}
    virtual bool OnDeviceChange(WPARAM /*event*/) { return false; }

    // Runs the hooks for one message; `handled` tells whether one took it.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
};

// What a hook let escape: a debugger line, and the user told that the action
// failed. A program may replace how (tests capture it).
using ErrorReporter = std::function<void(HWND owner, const std::string& what)>;
void SetErrorReporter(ErrorReporter reporter);
void ReportException(HWND owner);

// Runs `body` for a window procedure; an exception is reported and `fallback`
// returned instead.
template <class Body>
LRESULT Guarded(HWND window, LRESULT fallback, Body&& body) {
    try {
        return body();
    } catch (...) {
        ReportException(window);
        return fallback;
    }
}

}  // namespace vh
