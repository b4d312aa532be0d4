#include "model/GbkCodec.h"
#include "ui/InputCheck.h"
#include "ui/win32/uMain.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!GbkCodecReady()) {
        DefaultMessenger().Show(nullptr, ErrorMessage("无法打开GBK（代码页936）编码转换，Qostrel不能生成脚本。"));
        return 1;
    }
    TfrmMain frmMain;
    ShowWindow(frmMain.Handle(), show);
    MSG message;
    // Through IsDialogMessage: Tab, Shift+Tab and Alt with a letter work as in
    // any dialog.
    while (!frmMain.Closed() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(frmMain.Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
