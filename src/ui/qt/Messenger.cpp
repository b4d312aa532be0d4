#include "ui/qt/Messenger.h"

#include "ui/qt/GbkEdge.h"

#include <QMessageBox>
#include <QPushButton>

void TMessenger::Show(QWidget* parent, const TMessage& message) {
    const auto icon = message.Kind == TMessage::Error ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, FromUtf8(message.Caption), FromUtf8(message.Text), QMessageBox::Ok, parent);
    // The windows speak Chinese whatever the system's locale; Qt loads no translation.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

TMessenger& DefaultMessenger() {
    static TMessenger messenger;
    return messenger;
}
