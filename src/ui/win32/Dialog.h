#pragma once

#include "ui/WindowPorts.h"
#include "ui/win32/Messenger.h"
#include "ui/win32/Utf16Edge.h"

#include <windows.h>

#include <span>
#include <string>

// A control's resource ID and its pixels at 96 DPI with 宋体 9 pt.
struct TPlacement {
    int Id;
    int Left, Top, Width, Height;
};

// The resource ID of a control.
int ControlId(TControl control);

// A thin wrapper over a dialog window: one dialog procedure stores `this` at
// WM_INITDIALOG and hands each message to a small handler.
class TDialog {
public:
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;
    HWND Handle() const { return Hwnd; }
    HWND Item(int id) const { return GetDlgItem(Hwnd, id); }

protected:
    TDialog() = default;
    virtual ~TDialog() = default;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    virtual void OnInit() = 0;
    virtual void OnCommand(int id) = 0;
    // The close box, Alt+F4 or the system menu's Close.
    virtual void OnCloseBox() = 0;
    virtual void OnTimer() {}
    // What a test does once the window runs; posted right after WM_INITDIALOG.
    virtual void OnShown() {}

    // Puts each control on its pixels and gives the client area its size, in
    // proportion to the dialog's actual font, so another face or DPI scales
    // the layout as dialog units would. A label grows until its text fits.
    void Lay(std::span<const TPlacement> controls, int clientWidth, int clientHeight);
    // Centres the window over `over`, or on its monitor's work area when null.
    void Centre(HWND over);
    // Pixels at 96 DPI with 宋体, scaled to this dialog.
    int ScaleX(int pixels) const;

    HWND Hwnd = nullptr;
};

// The parts of a port every Win32 window does alike.
template <typename TPort> class TWin32Window : public TDialog, public TPort {
public:
    std::string Text(TControl control) const override {
        const HWND item = Item(ControlId(control));
        std::wstring text(std::size_t(GetWindowTextLengthW(item)) + 1, L'\0');
        text.resize(std::size_t(GetWindowTextW(item, text.data(), int(text.size()))));
        return ToUtf8(text);
    }
    void SetText(TControl control, std::string_view utf8) override {
        SetWindowTextW(Item(ControlId(control)), FromUtf8(utf8).c_str());
    }
    void Focus(TControl control) override {
        SendMessageW(Hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(ControlId(control))), TRUE);
    }
    void ShowMessage(const TMessage& message) override { Messenger.Show(Hwnd, message); }

protected:
    explicit TWin32Window(TMessenger& messenger) : Messenger(messenger) {}
    TMessenger& Messenger;
};
