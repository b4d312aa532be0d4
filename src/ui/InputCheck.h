#pragma once

#include "ui/Messenger.h"

#include <QString>

#include <optional>
#include <string>

class QLineEdit;
class QWidget;

// A check of operator input in one of the windows: a failure shows one hint
// over the window and moves the focus to the edit at fault.
class TInputCheck final {
public:
    enum TIfEmpty { KeepEdit, EmptyEdit };

    TInputCheck(TMessenger& messenger, QWidget& window) : Messenger(messenger), Window(window) {}

    // Shows the hint and focuses the control, when there is one. Always false.
    bool Refuse(QWidget* focus, const QString& message) const;

    // A text that must not be empty: the edit's text trimmed, as GBK bytes; or
    // nullopt once the operator has been told it is empty or names a character
    // GBK cannot hold. EmptyEdit clears blanks the operator typed.
    std::optional<std::string> RequiredText(QLineEdit& edit, const QString& emptyMessage, const QString& field,
                                            TIfEmpty ifEmpty) const;

private:
    TMessenger& Messenger;
    QWidget& Window;
};
