#pragma once

#include "ui/WindowPorts.h"

#include <windows.h>

// Every message box of the windows goes through here, so that tests can
// record what was shown instead of answering modal boxes.
class TMessenger {
public:
    virtual ~TMessenger() = default;
    // Modal, owned by the window at fault.
    virtual void Show(HWND owner, const TMessage& message);
};

TMessenger& DefaultMessenger();
