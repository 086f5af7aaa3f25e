// A dialog from a template in the program's language, modal or modeless, with
// data exchange between its controls and members.
#pragma once

#include <windows.h>

#include <string>

#include "framework/message_handler_win.h"
#include "framework/resources_win.h"

namespace vh {

// Moves values between a dialog's controls and variables: into the controls, or
// (saving) out of them with validation. A failed validation tells the user, puts
// the focus on the control and stops the exchange.
class CDataExchange {
  public:
    CDataExchange(HWND dialog, bool save) : m_hDlg(dialog), m_bSaveAndValidate(save) {}
    HWND m_hDlg;
    bool m_bSaveAndValidate;
    bool Failed() const { return failed_; }
    void Fail(int controlId, const std::wstring& message);

  private:
    bool failed_ = false;
};

void DDX_Text(CDataExchange& dx, int id, std::wstring& value);
// A whole number from `minimum` to `maximum`; anything else fails validation.
void DDX_Text(CDataExchange& dx, int id, int& value, int minimum, int maximum);
void DDX_Check(CDataExchange& dx, int id, int& value);
// The index of the checked button in the group that starts with `firstId`; -1
// for none.
void DDX_Radio(CDataExchange& dx, int firstId, int& value);
// The selected index of a combo box, -1 for none.
void DDX_CBIndex(CDataExchange& dx, int id, int& value);

class CDialog : public CMessageHandler {
  public:
    // The template `templateId` is taken from `resources`, which must outlive
    // the dialog.
    CDialog(const CResources& resources, int templateId)
        : resources_(resources), templateId_(templateId) {}
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // The button that ended it (IDOK, IDCANCEL, ...), -1 when the template or the
    // dialog could not be made. The program's modal hook runs around it.
    INT_PTR DoModal(HWND parent);
    // Modeless: shown by the caller; null on failure.
    HWND Create(HWND parent);
    void EndDialog(INT_PTR result);

    // Runs DoDataExchange; false when saving failed validation.
    bool UpdateData(bool save);

  protected:
    // True lets the system set the focus.
    virtual bool OnInitDialog() { return UpdateData(false), true; }
    virtual void DoDataExchange(CDataExchange&) {}
    // IDOK saves the data and ends the dialog; IDCANCEL ends it.
    virtual void OnOK();
    virtual void OnCancel();
    bool OnCommand(int id, int code, HWND control) override;

  private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    const CResources& resources_;
    int templateId_;
    bool modal_ = false;
};

}  // namespace vh
