#include "ui/win32/Dialog.h"

#include "ui/win32/resource.h"

#include <iterator>

int ControlId(TControl control) {
    constexpr int ids[] = {IDC_lvWans,       IDC_btnDelete,  IDC_btnAdd,    IDC_btnModify,   IDC_edtLanName,
                           IDC_edtClientQty, IDC_edtVelmoip, IDC_mmoScript, IDC_btnGenerate, IDC_btnCopy,
                           IDC_cboRouterOs,  IDC_edtName,    IDC_edtIP,     IDC_edtTx,       IDC_edtRx,
                           IDC_btnSave,      IDC_btnCancel};
    static_assert(std::size(ids) == static_cast<std::size_t>(TControl::btnCancel) + 1);
    return ids[static_cast<int>(control)];
}

INT_PTR CALLBACK TDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<TDialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        dialog->Hwnd = hwnd;
        dialog->OnInit();
        PostMessageW(hwnd, WM_APP, 0, 0);
        return TRUE; // the first control in tab order takes the focus
    }
    auto* dialog = reinterpret_cast<TDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!dialog)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        // Enter and Escape arrive as IDOK and IDCANCEL. No control has those
        // IDs: neither key presses a button.
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL && HIWORD(wParam) == BN_CLICKED)
            dialog->OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE)
            return FALSE;
        dialog->OnCloseBox();
        return TRUE;
    case WM_CLOSE:
        // Escape in a multi-line edit posts WM_CLOSE to the window: only the
        // close box closes, through SC_CLOSE.
        return TRUE;
    case WM_TIMER:
        dialog->OnTimer();
        return TRUE;
    case WM_APP:
        dialog->OnShown();
        return TRUE;
    default:
        return FALSE;
    }
}

namespace {

// The dialog's base units in pixels: 6 × 12 for 宋体 9 pt at 96 DPI.
SIZE BaseUnits(HWND dialog) {
    RECT units{0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    return {units.right, units.bottom};
}

} // namespace

int TDialog::ScaleX(int pixels) const {
    return MulDiv(pixels, BaseUnits(Hwnd).cx, 6);
}

void TDialog::Lay(std::span<const TPlacement> controls, int clientWidth, int clientHeight) {
    const SIZE units = BaseUnits(Hwnd);
    const auto x = [&units](int pixels) {
        return MulDiv(pixels, units.cx, 6);
    };
    const auto y = [&units](int pixels) {
        return MulDiv(pixels, units.cy, 12);
    };

    const HDC dc = GetDC(Hwnd);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Hwnd, WM_GETFONT, 0, 0)));
    for (const TPlacement& place : controls) {
        const HWND item = Item(place.Id);
        RECT box{x(place.Left), y(place.Top), x(place.Left + place.Width), y(place.Top + place.Height)};
        wchar_t className[16] = {};
        GetClassNameW(item, className, 16);
        if (lstrcmpiW(className, L"Static") == 0) {
            std::wstring text(std::size_t(GetWindowTextLengthW(item)) + 1, L'\0');
            text.resize(std::size_t(GetWindowTextW(item, text.data(), int(text.size()))));
            SIZE needed{};
            GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &needed);
            if (needed.cx > box.right - box.left) {
                if (GetWindowLongW(item, GWL_STYLE) & SS_RIGHT)
                    box.left = box.right - needed.cx;
                else
                    box.right = box.left + needed.cx;
            }
            if (needed.cy > box.bottom - box.top) {
                const LONG grow = needed.cy - (box.bottom - box.top);
                box.top -= grow / 2;
                box.bottom = box.top + needed.cy;
            }
        }
        MoveWindow(item, box.left, box.top, box.right - box.left, box.bottom - box.top, FALSE);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(Hwnd, dc);

    RECT window, client;
    GetWindowRect(Hwnd, &window);
    GetClientRect(Hwnd, &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(Hwnd, nullptr, 0, 0, x(clientWidth) + frameWidth, y(clientHeight) + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialog::Centre(HWND over) {
    RECT area;
    if (over) {
        GetWindowRect(over, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(Hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    RECT window;
    GetWindowRect(Hwnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(Hwnd, nullptr, area.left + ((area.right - area.left) - width) / 2,
                 area.top + ((area.bottom - area.top) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
