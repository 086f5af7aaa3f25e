#include "framework/window_win.h"

namespace vh {

std::wstring CWindow::GetWindowTextW() const {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CWindow::SetWindowTextW(std::wstring_view text) const {
    const std::wstring terminated(text);
    ::SetWindowTextW(m_hWnd, terminated.c_str());
}

RECT CWindow::GetClientRect() const {
    RECT r{};
    ::GetClientRect(m_hWnd, &r);
    return r;
}

RECT CWindow::GetWindowRect() const {
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    return r;
}

CMenu& CMenu::operator=(CMenu&& other) noexcept {
    if (this != &other) {
        if (m_hMenu) ::DestroyMenu(m_hMenu);
        m_hMenu = other.Detach();
    }
    return *this;
}

}  // namespace vh
