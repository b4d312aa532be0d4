#include "ui/qt/uWanEdit.h"

#include "ui/qt/FormSetup.h"
#include "ui/qt/GbkEdge.h"
#include "ui_uWanEdit.h"

#include <QKeyEvent>

TfrmWanEdit::TfrmWanEdit(QWidget* parent, TMessenger& messenger)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TfrmWanEdit>()), Messenger(messenger) {
    ui->setupUi(this);
    SetUpForm(*this);
    setFixedSize(size());
    connect(ui->btnSave, &QPushButton::clicked, this, [this] { Behaviour.btnSaveClick(); });
    connect(ui->btnCancel, &QPushButton::clicked, this, [this] { Behaviour.btnCancelClick(); });
    ui->edtName->setFocus();
}

TfrmWanEdit::~TfrmWanEdit() = default;

QLineEdit& TfrmWanEdit::Edit(TControl control) const {
    const std::string_view name = ControlName(control);
    auto* edit = findChild<QLineEdit*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
    Q_ASSERT(edit);
    return *edit;
}

std::string TfrmWanEdit::Text(TControl control) const {
    return ToUtf8(Edit(control).text());
}

void TfrmWanEdit::SetText(TControl control, std::string_view utf8) {
    Edit(control).setText(FromUtf8(utf8));
}

void TfrmWanEdit::Focus(TControl control) {
    Edit(control).setFocus();
}

void TfrmWanEdit::ShowMessage(const TMessage& message) {
    Messenger.Show(this, message);
}

void TfrmWanEdit::CloseModal(TModalResult result) {
    done(result == mrOk ? Accepted : Rejected);
}

void TfrmWanEdit::keyPressEvent(QKeyEvent* event) {
    // Neither button is the dialog's cancel button: Escape closes nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
