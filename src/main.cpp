#include "model/GbkCodec.h"
#include "ui/InputCheck.h"
#include "ui/qt/uMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Qostrel"));
    if (!GbkCodecReady()) {
        DefaultMessenger().Show(nullptr, ErrorMessage("无法打开GBK（代码页936）编码转换，Qostrel不能生成脚本。"));
        return 1;
    }
    TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
