#include "model/GbkCodec.h"
#include "ui/uMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The error report's caption. No display name: the window title stays exactly the form's caption.
    QApplication::setApplicationName(QStringLiteral("Qostrel"));
    if (!GbkCodecReady()) {
        DefaultMessenger().Error(nullptr, QStringLiteral("无法打开GBK（代码页936）编码转换，Qostrel不能生成脚本。"));
        return 1;
    }
    TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
