#include "ui/win32/uWanEdit.h"

#include "ui/win32/Layout.h"
#include "ui/win32/resource.h"

namespace {

constexpr TPlacement kLayout[] = {
    {IDC_lblName, PX_lblName}, {IDC_lblIP, PX_lblIP},         {IDC_lblTx, PX_lblTx},
    {IDC_lblRx, PX_lblRx},     {IDC_lblTxUnit, PX_lblTxUnit}, {IDC_lblRxUnit, PX_lblRxUnit},
    {IDC_edtName, PX_edtName}, {IDC_edtIP, PX_edtIP},         {IDC_edtTx, PX_edtTx},
    {IDC_edtRx, PX_edtRx},     {IDC_btnSave, PX_btnSave},     {IDC_btnCancel, PX_btnCancel},
};

} // namespace

TfrmWanEdit::TfrmWanEdit(TMessenger& messenger, TQvWan& wan, const TQvWanList& wanList, int editMode)
    : TWin32Window(messenger), Wan(wan), WanList(wanList), EditMode(editMode) {}

TModalResult TfrmWanEdit::Run(HWND owner) {
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_frmWanEdit), owner,
                                           DialogProc, reinterpret_cast<LPARAM>(static_cast<TDialog*>(this)));
    return result == mrOk ? mrOk : mrCancel;
}

void TfrmWanEdit::OnInit() {
    Lay(kLayout, PX_frmWanEdit);
    Centre(GetWindow(Hwnd, GW_OWNER));
    for (const int edit : {IDC_edtName, IDC_edtIP, IDC_edtTx, IDC_edtRx})
        SendDlgItemMessageW(Hwnd, edit, EM_SETLIMITTEXT, 0, 0); // no length limit
    // The window exists now: the line, then the list and the mode.
    Behaviour.SetWan(Wan);
    Behaviour.WanList = &WanList;
    Behaviour.EditMode = EditMode;
}

void TfrmWanEdit::OnCommand(int id) {
    if (id == IDC_btnSave)
        Behaviour.btnSaveClick();
    else if (id == IDC_btnCancel)
        Behaviour.btnCancelClick();
}

void TfrmWanEdit::OnCloseBox() {
    Behaviour.btnCancelClick();
}

void TfrmWanEdit::OnShown() {
    if (Shown)
        Shown(*this);
}

void TfrmWanEdit::CloseModal(TModalResult result) {
    EndDialog(Hwnd, result);
}
