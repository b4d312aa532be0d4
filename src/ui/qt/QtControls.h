#pragma once

#include "ui/WindowPorts.h"
#include "ui/qt/Messenger.h"

#include <QWidget>

#include <string>
#include <string_view>

// A control of a window, found by its object name.
QWidget& ControlWidget(const QWidget& window, TControl control);
// The text of an edit, a button or the script box, as UTF-8.
std::string ControlText(const QWidget& control);
void SetControlText(QWidget& control, std::string_view utf8);

// The parts of a port every Qt window does alike.
template <typename TPort> class TQtControls : public TPort {
public:
    std::string Text(TControl control) const override { return ControlText(ControlWidget(Window, control)); }
    void SetText(TControl control, std::string_view utf8) override {
        SetControlText(ControlWidget(Window, control), utf8);
    }
    void Focus(TControl control) override { ControlWidget(Window, control).setFocus(); }
    void ShowMessage(const TMessage& message) override { Messenger.Show(&Window, message); }

protected:
    TQtControls(QWidget& window, TMessenger& messenger) : Window(window), Messenger(messenger) {}
    QWidget& Window;
    TMessenger& Messenger;
};
