#include "ui/win32/Messenger.h"

#include "ui/win32/Utf16Edge.h"

void TMessenger::Show(HWND owner, const TMessage& message) {
    const UINT icon = message.Kind == TMessage::Error ? MB_ICONERROR : 0;
    MessageBoxW(owner, FromUtf8(message.Text).c_str(), FromUtf8(message.Caption).c_str(), MB_OK | icon);
}

TMessenger& DefaultMessenger() {
    static TMessenger messenger;
    return messenger;
}
