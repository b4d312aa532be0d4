#include "ui/Messenger.h"

#include <QCoreApplication>

void TMessenger::Show(QWidget* parent, const TMessage& message) {
    QMessageBox box(message.Icon, message.Caption, message.Text, message.Buttons, parent);
    box.exec();
}

void TMessenger::Hint(QWidget* parent, const QString& text) {
    Show(parent, {QStringLiteral("提示"), text, QMessageBox::NoIcon, QMessageBox::Ok});
}

void TMessenger::Error(QWidget* parent, const QString& text) {
    Show(parent, {QCoreApplication::applicationName(), text, QMessageBox::Critical, QMessageBox::Ok});
}

TMessenger& DefaultMessenger() {
    static TMessenger messenger;
    return messenger;
}
