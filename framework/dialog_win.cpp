#include "framework/dialog_win.h"

#include <charconv>

#include "framework/application_win.h"
#include "framework/format_text.h"

namespace vh {

void CDataExchange::Fail(int controlId, const std::wstring& message) {
    failed_ = true;
    if (CApplication* app = CApplication::Get())
        app->ShowMessage(m_hDlg, message, MB_OK | MB_ICONEXCLAMATION);
    HWND control = GetDlgItem(m_hDlg, controlId);
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange& dx, int id, std::wstring& value) {
    if (dx.Failed()) return;
    CWindow control = GetDlgItem(dx.m_hDlg, id);
    if (dx.m_bSaveAndValidate)
        value = control.GetWindowTextW();
    else
        control.SetWindowTextW(value);
}

void DDX_Text(CDataExchange& dx, int id, int& value, int minimum, int maximum) {
    if (dx.Failed()) return;
    CWindow control = GetDlgItem(dx.m_hDlg, id);
    if (!dx.m_bSaveAndValidate) {
        control.SetWindowTextW(std::to_wstring(value));
        return;
    }
    std::string text;
    for (wchar_t c : control.GetWindowTextW())
        if (c != L' ') text += c < 0x80 ? static_cast<char>(c) : '?';
    int parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || parsed < minimum ||
        parsed > maximum) {
        const std::wstring text = CApplication::Get()
                                      ? CApplication::Get()->LoadString(kFrameworkBadNumber)
                                      : std::wstring();
        const std::u16string pattern(text.begin(), text.end());
        const std::u16string message =
            FormatText(pattern, {DecimalText(minimum), DecimalText(maximum)});
        dx.Fail(id, std::wstring(message.begin(), message.end()));
        return;
    }
    value = parsed;
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
    if (dx.Failed()) return;
    if (dx.m_bSaveAndValidate)
        value = static_cast<int>(IsDlgButtonChecked(dx.m_hDlg, id));
    else
        CheckDlgButton(dx.m_hDlg, id, static_cast<UINT>(value));
}

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
    if (dx.Failed()) return;
    HWND button = GetDlgItem(dx.m_hDlg, firstId);
    if (dx.m_bSaveAndValidate) value = -1;
    for (int index = 0; button; ++index) {
        if (dx.m_bSaveAndValidate) {
            if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
        } else {
            SendMessageW(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        button = GetWindow(button, GW_HWNDNEXT);
        if (!button || (GetWindowLongW(button, GWL_STYLE) & WS_GROUP)) break;
    }
}

void DDX_CBIndex(CDataExchange& dx, int id, int& value) {
    if (dx.Failed()) return;
    HWND box = GetDlgItem(dx.m_hDlg, id);
    if (dx.m_bSaveAndValidate)
        value = static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0));
    else
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

CDialog::~CDialog() {
    if (!modal_ && IsWindow()) {
        SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        if (CApplication* app = CApplication::Get()) app->RemoveModeless(m_hWnd);
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialog::DoModal(HWND parent) {
    const DLGTEMPLATE* dialog = resources_.DialogTemplate(templateId_);
    if (!dialog) return -1;
    modal_ = true;
    CModalScope modal;
    return DialogBoxIndirectParamW(resources_.Module(), dialog, parent, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

HWND CDialog::Create(HWND parent) {
    const DLGTEMPLATE* dialog = resources_.DialogTemplate(templateId_);
    if (!dialog) return nullptr;
    modal_ = false;
    HWND window = CreateDialogIndirectParamW(resources_.Module(), dialog, parent, DialogProc,
                                             reinterpret_cast<LPARAM>(this));
    if (window && CApplication::Get()) CApplication::Get()->AddModeless(window);
    return window;
}

void CDialog::EndDialog(INT_PTR result) {
    if (modal_) {
        ::EndDialog(m_hWnd, result);
    } else {
        if (CApplication* app = CApplication::Get()) app->RemoveModeless(m_hWnd);
        ::DestroyWindow(m_hWnd);
    }
}

bool CDialog::UpdateData(bool save) {
    CDataExchange dx(m_hWnd, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return Guarded(window, TRUE, [&] { return LRESULT{self->OnInitDialog()}; });
    }
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        return FALSE;
    }
    return Guarded(window, TRUE, [&]() -> LRESULT {
        bool handled = false;
        const LRESULT result = self->Dispatch(message, wParam, lParam, handled);
        if (!handled) return FALSE;
        // A dialog procedure's own result goes through DWLP_MSGRESULT.
        if (message == WM_NOTIFY || message >= WM_USER)
            SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    });
}

}  // namespace vh
