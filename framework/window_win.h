// CWindow: one window handle, not owned, with the calls the programs make on it
// named as Win32 names them. CMenu: a menu handle, owned unless detached.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vh {

class CWindow {
  public:
    CWindow(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
    operator HWND() const { return m_hWnd; }

    HWND m_hWnd;

    CWindow GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    CWindow GetParent() const { return ::GetParent(m_hWnd); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }

    std::wstring GetWindowTextW() const;
    void SetWindowTextW(std::wstring_view text) const;
    std::wstring GetDlgItemTextW(int id) const { return GetDlgItem(id).GetWindowTextW(); }
    void SetDlgItemTextW(int id, std::wstring_view text) const {
        GetDlgItem(id).SetWindowTextW(text);
    }
    void EnableWindow(bool enable) const { ::EnableWindow(m_hWnd, enable); }
    void EnableDlgItem(int id, bool enable) const { GetDlgItem(id).EnableWindow(enable); }
    void ShowWindow(int show) const { ::ShowWindow(m_hWnd, show); }
    void CheckDlgButton(int id, UINT state) const { ::CheckDlgButton(m_hWnd, id, state); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

    LRESULT SendMessageW(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessageW(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const {
        return ::SetTimer(m_hWnd, id, milliseconds, nullptr);
    }
    void KillTimer(UINT_PTR id) const { ::KillTimer(m_hWnd, id); }

    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    void MoveWindow(const RECT& r, bool repaint = true) const {
        ::MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
    }
    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void SetFocus() const { ::SetFocus(m_hWnd); }
    void DestroyWindow() const { ::DestroyWindow(m_hWnd); }
};

class CMenu {
  public:
    CMenu() = default;
    explicit CMenu(HMENU menu) : m_hMenu(menu) {}
    ~CMenu() {
        if (m_hMenu) ::DestroyMenu(m_hMenu);
    }
    CMenu(CMenu&& other) noexcept : m_hMenu(other.Detach()) {}
    CMenu& operator=(CMenu&& other) noexcept;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    static CMenu CreatePopupMenu() { return CMenu(::CreatePopupMenu()); }
    operator HMENU() const { return m_hMenu; }
    HMENU Detach() {
        HMENU menu = m_hMenu;
        m_hMenu = nullptr;
        return menu;
    }

    HMENU m_hMenu = nullptr;

    bool AppendMenuW(UINT flags, UINT_PTR id, const std::wstring& text) const {
        return ::AppendMenuW(m_hMenu, flags, id, text.c_str()) != FALSE;
    }
    bool AppendSeparator() const {
        return ::AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr) != FALSE;
    }
    void CheckMenuItem(UINT id, bool checked) const {
        ::CheckMenuItem(m_hMenu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    void EnableMenuItem(UINT id, bool enabled) const {
        ::EnableMenuItem(m_hMenu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
};

}  // namespace vh
