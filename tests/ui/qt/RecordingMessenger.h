#pragma once

#include "ui/qt/GbkEdge.h"
#include "ui/qt/Messenger.h"

#include <QStringList>
#include <QWidget>

// Records the message boxes a window would show, instead of showing them.
class TRecordingMessenger final : public TMessenger {
public:
    QList<TMessage> Shown;

    void Show(QWidget*, const TMessage& message) override { Shown.append(message); }

    QStringList Texts() const {
        QStringList texts;
        for (const auto& message : Shown)
            texts.append(FromUtf8(message.Text));
        return texts;
    }
};

// The named controls that Tab visits, starting at the first one.
inline QStringList TabOrder(QWidget* first) {
    QStringList names;
    QWidget* widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty() && widget->isEnabled())
            names.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != first);
    return names;
}
