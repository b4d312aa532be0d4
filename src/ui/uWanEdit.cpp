#include "ui/uWanEdit.h"

#include "ui/FormSetup.h"
#include "ui/GbkEdge.h"
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
    const auto refuse = [this](QLineEdit* edit, const QString& message) {
        Messenger.Hint(this, message);
        edit->setFocus();
        return false;
    };

    const QString name = TrimmedText(ui->edtName->text());
    if (name.isEmpty()) {
        ui->edtName->setText(name);
        return refuse(ui->edtName, QStringLiteral("请输入网卡名称"));
    }
    const auto gbkName = ToGbk(name);
    if (!gbkName)
        return refuse(ui->edtName, QStringLiteral("网卡名称含有GBK无法表示的字符"));

    const QString ip = TrimmedText(ui->edtIP->text());
    if (ip.isEmpty()) {
        ui->edtIP->setText(ip);
        return refuse(ui->edtIP, QStringLiteral("请输入网卡IP"));
    }
    const auto gbkIp = ToGbk(ip);
    if (!gbkIp)
        return refuse(ui->edtIP, QStringLiteral("网卡IP含有GBK无法表示的字符"));

    const auto download = IntegerText(TrimmedText(ui->edtTx->text()));
    if (!download)
        return refuse(ui->edtTx, QStringLiteral("请输入正确的下载带宽"));
    if (*download <= 0)
        return refuse(ui->edtTx, QStringLiteral("下载带宽必须大于零"));

    const auto upload = IntegerText(TrimmedText(ui->edtRx->text()));
    if (!upload)
        return refuse(ui->edtRx, QStringLiteral("请输入正确的上传带宽"));
    if (*upload <= 0)
        return refuse(ui->edtRx, QStringLiteral("上传带宽必须大于零"));

    if (!IsNameUnique(*gbkName))
        return refuse(ui->edtName, QStringLiteral("网卡名称已存在，请重新输入"));

    Wan->Assign(*gbkName, *gbkIp, *upload, *download);
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
