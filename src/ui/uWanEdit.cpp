#include "ui/uWanEdit.h"

#include "ui/FormSetup.h"
#include "ui/GbkEdge.h"
#include "ui/InputCheck.h"
#include "ui_uWanEdit.h"

#include <QKeyEvent>

TfrmWanEdit::TfrmWanEdit(QWidget* parent, TMessenger& messenger)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TfrmWanEdit>()), Messenger(messenger) {
    ui->setupUi(this);
    SetUpForm(*this);
    setFixedSize(size());
    connect(ui->btnSave, &QPushButton::clicked, this, &TfrmWanEdit::btnSaveClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmWanEdit::btnCancelClick);
    ui->edtName->setFocus();
}

TfrmWanEdit::~TfrmWanEdit() = default;

void TfrmWanEdit::SetWan(TQvWan& wan) {
    Wan = &wan;
    LoadFields();
}

void TfrmWanEdit::LoadFields() {
    ui->edtName->setText(FromGbk(Wan->NameVar.AsText()));
    ui->edtIP->setText(FromGbk(Wan->IpVar.AsText()));
    ui->edtTx->setText(FromGbk(Wan->TxVar.AsText()));
    ui->edtRx->setText(FromGbk(Wan->RxVar.AsText()));
}

bool TfrmWanEdit::CheckInput() {
    const TInputCheck check(Messenger, *this);
    const auto name = check.RequiredText(*ui->edtName, QStringLiteral("请输入网卡名称"), QStringLiteral("网卡名称"),
                                         TInputCheck::EmptyEdit);
    if (!name)
        return false;
    const auto ip = check.RequiredText(*ui->edtIP, QStringLiteral("请输入网卡IP"), QStringLiteral("网卡IP"),
                                       TInputCheck::EmptyEdit);
    if (!ip)
        return false;

    const auto download = IntegerText(TrimmedText(ui->edtTx->text()));
    if (!download)
        return check.Refuse(ui->edtTx, QStringLiteral("请输入正确的下载带宽"));
    if (*download <= 0)
        return check.Refuse(ui->edtTx, QStringLiteral("下载带宽必须大于零"));

    const auto upload = IntegerText(TrimmedText(ui->edtRx->text()));
    if (!upload)
        return check.Refuse(ui->edtRx, QStringLiteral("请输入正确的上传带宽"));
    if (*upload <= 0)
        return check.Refuse(ui->edtRx, QStringLiteral("上传带宽必须大于零"));

    if (!IsNameUnique(*name))
        return check.Refuse(ui->edtName, QStringLiteral("网卡名称已存在，请重新输入"));

    Wan->Assign(*name, *ip, *upload, *download);
    return true;
}

bool TfrmWanEdit::IsNameUnique(const std::string& name) const {
    if (!WanList)
        return true;
    for (const auto& line : *WanList) {
        const bool itself = EditMode == ModifyMode && line.get() == Wan;
        // Byte for byte: case matters and no locale rules apply.
        if (!itself && line->NameVar.AsText() == name)
            return false;
    }
    return true;
}

void TfrmWanEdit::btnSaveClick() {
    if (CheckInput())
        accept();
}

void TfrmWanEdit::btnCancelClick() {
    reject();
}

void TfrmWanEdit::keyPressEvent(QKeyEvent* event) {
    // Neither button is the dialog's cancel button: Escape closes nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
