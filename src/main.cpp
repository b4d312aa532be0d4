#include "ui/uMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The error report's caption. No display name: the window title stays exactly the form's caption.
    QApplication::setApplicationName(QStringLiteral("Qostrel"));
    TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
