#include "ui/qt/uWanEdit.h"

#include "ui/qt/FormSetup.h"
#include "ui_uWanEdit.h"

#include <QKeyEvent>

TfrmWanEdit::TfrmWanEdit(QWidget* parent, TMessenger& messenger)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      TQtControls(*this, messenger), ui(std::make_unique<Ui::TfrmWanEdit>()) {
    ui->setupUi(this);
    SetUpForm(*this);
    setFixedSize(size());
    connect(ui->btnSave, &QPushButton::clicked, this, [this] { Behaviour.btnSaveClick(); });
    connect(ui->btnCancel, &QPushButton::clicked, this, [this] { Behaviour.btnCancelClick(); });
    ui->edtName->setFocus();
}

TfrmWanEdit::~TfrmWanEdit() = default;

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
