// The program itself: its instance, the language it shows itself in, its
// resources in that language, its name as the caption of its message boxes, and
// the message loop. One per process; the program derives its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/framework_ids.h"
#include "framework/resources_win.h"

namespace vh {

class CApplication {
  public:
    // `captionId` is the string with the program's name. The language is chosen
    // here, once, from the user's interface language.
    CApplication(HINSTANCE instance, int captionId);
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    static CApplication* Get();

    HINSTANCE Instance() const { return instance_; }
    uint16_t Language() const { return resources_.Language(); }
    const CResources& Resources() const { return resources_; }

    std::wstring LoadString(int id) const { return resources_.LoadString(id); }
    // The string with its conversions filled in (FormatText).
    std::wstring FormatString(int id, const std::u16string& arg) const;
    std::wstring FormatString(int id, const std::vector<std::u16string>& args) const;
    // A message box captioned with the program's name; a modal state like a dialog.
    int ShowMessage(HWND owner, const std::wstring& text, UINT flags) const;
    int ShowMessage(HWND owner, int textId, UINT flags) const {
        return ShowMessage(owner, LoadString(textId), flags);
    }

    // Runs around every modal dialog and message box: entering true, then false.
    void SetModalHook(std::function<void(bool entering)> hook) { modalHook_ = std::move(hook); }
    void NotifyModal(bool entering) const {
        if (modalHook_) modalHook_(entering);
    }

    // The message loop's window for accelerators, and modeless dialogs that get
    // their keyboard messages first.
    void SetAccelerators(HWND window, HACCEL table);
    void AddModeless(HWND dialog);
    void RemoveModeless(HWND dialog);

    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return 0; }
    // InitInstance, then the message loop until WM_QUIT, then ExitInstance.
    int Run();

    // "a.b.c" of this program's version resource; empty without one.
    std::wstring VersionText() const;

  private:
    HINSTANCE instance_;
    CResources resources_;
    int captionId_;
    std::function<void(bool)> modalHook_;
    HWND accelWindow_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::vector<HWND> modeless_;
};

// Brackets a modal state (a dialog, a file dialog) for the program's modal hook.
class CModalScope {
  public:
    CModalScope() {
        if (CApplication* app = CApplication::Get()) app->NotifyModal(true);
    }
    ~CModalScope() {
        if (CApplication* app = CApplication::Get()) app->NotifyModal(false);
    }
    CModalScope(const CModalScope&) = delete;
    CModalScope& operator=(const CModalScope&) = delete;
};

// The system's text for an error code, in the user's language; never empty.
std::wstring SystemErrorText(DWORD code);

}  // namespace vh
