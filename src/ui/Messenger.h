#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

struct TMessage {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
};

// Every message box of the windows goes through here, so that tests can
// record what was shown instead of answering modal boxes.
class TMessenger {
public:
    virtual ~TMessenger() = default;
    virtual void Show(QWidget* parent, const TMessage& message);

    // An input hint: caption "提示", one OK button, no icon.
    void Hint(QWidget* parent, const QString& text);
    // An unexpected failure: error icon, the application's name as caption.
    void Error(QWidget* parent, const QString& text);
};

TMessenger& DefaultMessenger();
