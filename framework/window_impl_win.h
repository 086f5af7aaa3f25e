// A window of a class of our own: registered once per class name, its messages
// dispatched to the hooks of CMessageHandler.
#pragma once

#include <windows.h>

#include "framework/message_handler_win.h"

namespace vh {

class CWindowImpl : public CMessageHandler {
  public:
    CWindowImpl() = default;
    ~CWindowImpl() override;
    CWindowImpl(const CWindowImpl&) = delete;
    CWindowImpl& operator=(const CWindowImpl&) = delete;

    // Registers `cls` (lpfnWndProc, hInstance and lpszClassName are filled in) the
    // first time, then creates the window. Null when either fails, or when
    // OnCreate refuses.
    HWND Create(WNDCLASSEXW cls, DWORD exStyle, const wchar_t* title, DWORD style, const RECT& rect,
                HWND parent, HMENU menuOrId);

  protected:
    // False makes creation fail.
    virtual bool OnCreate(const CREATESTRUCTW&) { return true; }
    // After the last message; the object may delete itself here.
    virtual void OnFinalMessage() {}

  private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
};

}  // namespace vh
