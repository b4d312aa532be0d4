#include "ui/InputCheck.h"

#include "ui/GbkEdge.h"

#include <QLineEdit>

bool TInputCheck::Refuse(QWidget* focus, const QString& message) const {
    Messenger.Hint(&Window, message);
    if (focus)
        focus->setFocus();
    return false;
}

std::optional<std::string> TInputCheck::RequiredText(QLineEdit& edit, const QString& emptyMessage, const QString& field,
                                                     TIfEmpty ifEmpty) const {
    const QString text = TrimmedText(edit.text());
    if (text.isEmpty()) {
        if (ifEmpty == EmptyEdit)
            edit.setText(text);
        Refuse(&edit, emptyMessage);
        return std::nullopt;
    }
    auto gbk = ToGbk(text);
    if (!gbk)
        Refuse(&edit, field + QStringLiteral("含有GBK无法表示的字符"));
    return gbk;
}
