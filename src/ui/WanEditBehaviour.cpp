#include "ui/WanEditBehaviour.h"

#include "model/GbkCodec.h"
#include "ui/InputCheck.h"

void TWanEditBehaviour::SetWan(TQvWan& wan) {
    Wan = &wan;
    LoadFields();
}

void TWanEditBehaviour::LoadFields() {
    Window.SetText(TControl::edtName, GbkToUtf8(Wan->NameVar.AsText()));
    Window.SetText(TControl::edtIP, GbkToUtf8(Wan->IpVar.AsText()));
    Window.SetText(TControl::edtTx, GbkToUtf8(Wan->TxVar.AsText()));
    Window.SetText(TControl::edtRx, GbkToUtf8(Wan->RxVar.AsText()));
}

bool TWanEditBehaviour::CheckInput() {
    const TInputCheck check(Window);
    const auto name = check.RequiredText(TControl::edtName, "请输入网卡名称", "网卡名称", TInputCheck::EmptyEdit);
    if (!name)
        return false;
    const auto ip = check.RequiredText(TControl::edtIP, "请输入网卡IP", "网卡IP", TInputCheck::EmptyEdit);
    if (!ip)
        return false;

    const auto download = check.Integer(TControl::edtTx, true);
    if (!download)
        return check.Refuse(TControl::edtTx, "请输入正确的下载带宽");
    if (*download <= 0)
        return check.Refuse(TControl::edtTx, "下载带宽必须大于零");

    const auto upload = check.Integer(TControl::edtRx, true);
    if (!upload)
        return check.Refuse(TControl::edtRx, "请输入正确的上传带宽");
    if (*upload <= 0)
        return check.Refuse(TControl::edtRx, "上传带宽必须大于零");

    if (!IsNameUnique(*name))
        return check.Refuse(TControl::edtName, "网卡名称已存在，请重新输入");

    Wan->Assign(*name, *ip, *upload, *download);
    return true;
}

bool TWanEditBehaviour::IsNameUnique(const std::string& name) const {
    if (!WanList)
        return true;
    for (const auto& line : *WanList) {
        const bool itself = EditMode == kModifyMode && line.get() == Wan;
        // Byte for byte: case matters and no locale rules apply.
        if (!itself && line->NameVar.AsText() == name)
            return false;
    }
    return true;
}

void TWanEditBehaviour::btnSaveClick() {
    if (CheckInput())
        Window.CloseModal(mrOk);
}

void TWanEditBehaviour::btnCancelClick() {
    Window.CloseModal(mrCancel);
}
