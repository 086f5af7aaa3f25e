#include "framework/message_handler_win.h"

#include <exception>

#include "framework/application_win.h"
#include "profile/debug_output.h"
#include "profile/utf8.h"

namespace vh {

namespace {

ErrorReporter& Reporter() {
    static ErrorReporter reporter;
    return reporter;
}

}  // namespace

LRESULT CMessageHandler::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (const auto result = OnMessage(message, wParam, lParam)) {
        handled = true;
        return *result;
    }
    handled = true;
    switch (message) {
        case WM_COMMAND:
            handled = OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            if (const auto result = OnNotify(*reinterpret_cast<const NMHDR*>(lParam)))
                return *result;
            break;
        case WM_TIMER:
            handled = OnTimer(wParam);
            return 0;
        case WM_PAINT:
            handled = OnPaint();
            return 0;
        case WM_SIZE:
            handled = OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_ACTIVATE:
            handled = OnActivate(LOWORD(wParam) != WA_INACTIVE, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CLOSE:
            handled = OnClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            handled = false;  // the default handling runs too
            return 0;
        case WM_DEVICECHANGE:
            handled = OnDeviceChange(wParam);
            return TRUE;
        default:
            break;
    }
    handled = false;
    return 0;
}

void SetErrorReporter(ErrorReporter reporter) {
    Reporter() = std::move(reporter);
}

void ReportException(HWND owner) {
    std::string what = "unknown exception";
    try {
        throw;
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    // Reporting must not throw in turn: this runs inside a window procedure.
    try {
        DebugOutput(("Unexpected error: " + what + "\n").c_str());
        if (Reporter()) {
            Reporter()(owner, what);
        } else if (CApplication* app = CApplication::Get()) {
            app->ShowMessage(owner, app->FormatString(kFrameworkUnexpectedError, Utf8ToUtf16(what)),
                             MB_OK | MB_ICONERROR);
        }
    } catch (...) {
    }
}

}  // namespace vh
