// The system's open and save dialog (explorer style, with a hook) that refuses a file
// name while the folder shown is one the user may not write into, and the write check
// it uses.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

// True unless the current user is denied write access to the folder. A folder whose
// security cannot be read, or a check that cannot run, does not stand in the way: the
// save itself reports what really fails.
bool MayWriteFolder(const std::wstring& folder);

// The check on a descriptor (with owner, group and DACL) for the process's own user.
bool DescriptorGrantsWrite(PSECURITY_DESCRIPTOR descriptor);

class CMyFileDialog {
  public:
    // `filter` in the "Desc|*.ext||" form; `flags` are OFN_* options, to which the
    // dialog adds what its hook needs.
    CMyFileDialog(bool openMode, std::wstring defaultExtension = {}, std::wstring fileName = {},
                  DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, std::wstring filter = {},
                  HWND owner = nullptr);

    void SetInitialFolder(std::wstring folder) { initialFolder_ = std::move(folder); }
    // With or without the leading dot.
    void SetDefaultExtension(std::wstring extension);
    void SetTitle(std::wstring title) { title_ = std::move(title); }
    // What the user is told when the folder shown may not be written to.
    void SetPermissionMessage(std::wstring text, std::wstring caption);

    // Modal; IDOK or IDCANCEL. The results below are empty unless IDOK.
    INT_PTR Show();
    // The dialog's CommDlgExtendedError after a Show that ended without a name; 0 when
    // the user cancelled.
    DWORD GetError() const { return error_; }

    const std::wstring& GetPathName() const { return pathName_; }
    std::wstring GetFileName() const;
    std::wstring GetFileExt() const;

  private:
    static UINT_PTR CALLBACK HookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
    // CDN_FILEOK: whether the name may be taken. `dialog` is the system dialog.
    bool AcceptFileName(HWND dialog) const;

    bool openMode_;
    std::wstring defaultExtension_;
    std::wstring fileName_;
    DWORD flags_;
    std::wstring filter_;
    HWND owner_;
    std::wstring initialFolder_;
    std::wstring title_;
    std::wstring permissionText_;
    std::wstring permissionCaption_;

    std::wstring pathName_;
    DWORD error_ = 0;
};
