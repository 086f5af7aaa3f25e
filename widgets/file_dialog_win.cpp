#include "widgets/file_dialog_win.h"

#include <algorithm>
#include <vector>

#include "widgets/file_dialog.h"

namespace {

// The longest path Windows accepts, with its NUL: a chosen name is never cut short.
constexpr DWORD kPathBuffer = 32768;

class HandleGuard {
  public:
    explicit HandleGuard(HANDLE handle) : handle_(handle) {}
    ~HandleGuard() {
        if (handle_) CloseHandle(handle_);
    }
    HandleGuard(const HandleGuard&) = delete;
    HandleGuard& operator=(const HandleGuard&) = delete;

  private:
    HANDLE handle_;
};

// Ends the thread's impersonation however the check leaves.
class RevertGuard {
  public:
    RevertGuard() = default;
    ~RevertGuard() { RevertToSelf(); }
    RevertGuard(const RevertGuard&) = delete;
    RevertGuard& operator=(const RevertGuard&) = delete;
};

}  // namespace

bool DescriptorGrantsWrite(PSECURITY_DESCRIPTOR descriptor) {
    // AccessCheck needs an impersonation token: the process's own, on this thread.
    if (!ImpersonateSelf(SecurityImpersonation)) return true;
    RevertGuard revert;
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) return true;
    HandleGuard tokenGuard(token);

    GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                               FILE_ALL_ACCESS};
    DWORD desired = FILE_GENERIC_WRITE;
    MapGenericMask(&desired, &mapping);

    std::vector<BYTE> privileges(sizeof(PRIVILEGE_SET) + 8 * sizeof(LUID_AND_ATTRIBUTES));
    for (;;) {
        DWORD length = static_cast<DWORD>(privileges.size());
        DWORD granted = 0;
        BOOL status = FALSE;
        if (AccessCheck(descriptor, token, desired, &mapping,
                        reinterpret_cast<PPRIVILEGE_SET>(privileges.data()), &length, &granted,
                        &status))
            return status != FALSE;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= privileges.size()) return true;
        privileges.resize(length);
    }
}

bool MayWriteFolder(const std::wstring& folder) {
    const SECURITY_INFORMATION wanted =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    GetFileSecurityW(folder.c_str(), wanted, nullptr, 0, &needed);
    if (needed == 0) return true;
    // Pointer-aligned, as the descriptor's header expects.
    std::vector<void*> buffer((needed + sizeof(void*) - 1) / sizeof(void*));
    if (!GetFileSecurityW(folder.c_str(), wanted, buffer.data(),
                          static_cast<DWORD>(buffer.size() * sizeof(void*)), &needed))
        return true;
    return DescriptorGrantsWrite(buffer.data());
}

CMyFileDialog::CMyFileDialog(bool openMode, std::wstring defaultExtension, std::wstring fileName,
                             DWORD flags, std::wstring filter, HWND owner)
    : openMode_(openMode),
      fileName_(std::move(fileName)),
      flags_(flags),
      filter_(vh::DialogFilter(filter)),
      owner_(owner),
      permissionText_(L"You do not have permission to save files to this folder.") {
    SetDefaultExtension(std::move(defaultExtension));
}

void CMyFileDialog::SetDefaultExtension(std::wstring extension) {
    if (!extension.empty() && extension.front() == L'.') extension.erase(0, 1);
    defaultExtension_ = std::move(extension);
}

void CMyFileDialog::SetPermissionMessage(std::wstring text, std::wstring caption) {
    permissionText_ = std::move(text);
    permissionCaption_ = std::move(caption);
}

INT_PTR CMyFileDialog::Show() {
    pathName_.clear();
    error_ = 0;

    std::vector<wchar_t> file(kPathBuffer, L'\0');
    fileName_.copy(file.data(), std::min<size_t>(fileName_.size(), file.size() - 1));

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPathBuffer;
    ofn.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.Flags = flags_ | OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    ofn.lpfnHook = &CMyFileDialog::HookProc;

    const BOOL chosen = openMode_ ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    if (!chosen) {
        error_ = CommDlgExtendedError();
        return IDCANCEL;
    }
    pathName_.assign(file.data());
    return IDOK;
}

std::wstring CMyFileDialog::GetFileName() const {
    return vh::PathFileName(pathName_);
}

std::wstring CMyFileDialog::GetFileExt() const {
    return vh::PathExtension(pathName_);
}

UINT_PTR CALLBACK CMyFileDialog::HookProc(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return 0;
    const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notify->hdr.code != CDN_FILEOK) return 0;
    const auto* self = reinterpret_cast<const CMyFileDialog*>(notify->lpOFN->lCustData);
    // The hook's dialog is a child of the system dialog, which answers CDM_ messages.
    if (self->AcceptFileName(GetParent(hook))) return 0;
    SetWindowLongPtrW(hook, DWLP_MSGRESULT, 1);
    return 1;
}

bool CMyFileDialog::AcceptFileName(HWND dialog) const {
    const LRESULT needed = SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
    // No file system folder (a virtual one): nothing to check here.
    if (needed <= 0) return true;
    std::vector<wchar_t> folder(static_cast<size_t>(needed) + 1, L'\0');
    if (SendMessageW(dialog, CDM_GETFOLDERPATH, static_cast<WPARAM>(folder.size()),
                     reinterpret_cast<LPARAM>(folder.data())) <= 0)
        return true;
    if (MayWriteFolder(folder.data())) return true;
    MessageBoxW(dialog, permissionText_.c_str(),
                permissionCaption_.empty() ? nullptr : permissionCaption_.c_str(),
                MB_OK | MB_ICONERROR);
    return false;
}
