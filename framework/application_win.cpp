#include "framework/application_win.h"

#include <algorithm>

#include "framework/format_text.h"
#include "framework/language.h"

namespace vh {

namespace {

CApplication* g_application = nullptr;

std::u16string U16(const std::wstring& s) {
    return {s.begin(), s.end()};
}

std::wstring W(const std::u16string& s) {
    return {s.begin(), s.end()};
}

}  // namespace

CApplication::CApplication(HINSTANCE instance, int captionId)
    : instance_(instance),
      resources_(instance, ChooseUiLanguage(GetUserDefaultUILanguage())),
      captionId_(captionId) {
    g_application = this;
}

CApplication::~CApplication() {
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    if (g_application == this) g_application = nullptr;
}

CApplication* CApplication::Get() {
    return g_application;
}

std::wstring CApplication::FormatString(int id, const std::u16string& arg) const {
    return FormatString(id, std::vector<std::u16string>{arg});
}

std::wstring CApplication::FormatString(int id, const std::vector<std::u16string>& args) const {
    return W(FormatText(U16(LoadString(id)), args));
}

int CApplication::ShowMessage(HWND owner, const std::wstring& text, UINT flags) const {
    const std::wstring caption = LoadString(captionId_);
    CModalScope modal;
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void CApplication::SetAccelerators(HWND window, HACCEL table) {
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    accelWindow_ = window;
    accelerators_ = table;
}

void CApplication::AddModeless(HWND dialog) {
    modeless_.push_back(dialog);
}

void CApplication::RemoveModeless(HWND dialog) {
    std::erase(modeless_, dialog);
}

int CApplication::Run() {
    if (!InitInstance()) return ExitInstance();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (accelerators_ && accelWindow_ &&
            TranslateAcceleratorW(accelWindow_, accelerators_, &msg))
            continue;
        if (std::ranges::any_of(modeless_,
                                [&](HWND d) { return IsDialogMessageW(d, &msg) != FALSE; }))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return ExitInstance();
}

std::wstring CApplication::VersionText() const {
    wchar_t path[MAX_PATH];
    if (!GetModuleFileNameW(instance_, path, MAX_PATH)) return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<uint8_t> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!size || !GetFileVersionInfoW(path, 0, size, info.data()) ||
        !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return {};
    return W(vh::VersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
}

std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? L"Error " + std::to_wstring(code) : text;
}

}  // namespace vh
