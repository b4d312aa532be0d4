#include "ui/qt/FormSetup.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

#include <limits>

namespace {

// The menu's icon drawn at each size beforehand: PNG needs no image plugin
// and no SVG library.
QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/qostrel-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

void SetUpForm(QWidget& form) {
    form.setWindowIcon(ProgramIcon());

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
