#pragma once

#include "ui/WindowPorts.h"

class QWidget;

// Every message box of the windows goes through here, so that tests can
// record what was shown instead of answering modal boxes.
class TMessenger {
public:
    virtual ~TMessenger() = default;
    virtual void Show(QWidget* parent, const TMessage& message);
};

TMessenger& DefaultMessenger();
