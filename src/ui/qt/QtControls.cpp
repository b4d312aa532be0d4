#include "ui/qt/QtControls.h"

#include "ui/qt/GbkEdge.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

QWidget& ControlWidget(const QWidget& window, TControl control) {
    const std::string_view name = ControlName(control);
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
    Q_ASSERT(widget);
    return *widget;
}

std::string ControlText(const QWidget& control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
        return ToUtf8(edit->text());
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
        return ToUtf8(button->text());
    return ToUtf8(static_cast<const QPlainTextEdit&>(control).toPlainText());
}

void SetControlText(QWidget& control, std::string_view utf8) {
    QString text = FromUtf8(utf8);
    if (auto* edit = qobject_cast<QLineEdit*>(&control))
        edit->setText(text);
    else if (auto* button = qobject_cast<QPushButton*>(&control))
        button->setText(text);
    else // the script box: Qt's own line ends
        static_cast<QPlainTextEdit&>(control).setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
