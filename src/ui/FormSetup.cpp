#include "ui/FormSetup.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

#include <limits>

void SetUpForm(QWidget& form) {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(12);
    form.setFont(font);

    for (QLabel* label : form.findChildren<QLabel*>()) {
        const QRect box = label->geometry();
        const QSize needed = label->sizeHint();
        QRect fitted = box;
        if (needed.width() > box.width()) {
            if (label->alignment() & Qt::AlignRight)
                fitted.setLeft(box.right() + 1 - needed.width());
            else
                fitted.setWidth(needed.width());
        }
        if (needed.height() > box.height()) {
            fitted.setHeight(needed.height());
            fitted.moveCenter(QPoint(fitted.center().x(), box.center().y()));
        }
        label->setGeometry(fitted);
    }

    for (QLineEdit* edit : form.findChildren<QLineEdit*>())
        edit->setMaxLength(std::numeric_limits<int>::max());
}
