#include "generator/QvVorrel.h"
#include "model/GbkCodec.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Utf16Edge.h"
#include "ui/win32/resource.h"
#include "ui/win32/uMain.h"
#include "ui/win32/uWanEdit.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <vector>

// The Win32 windows' own part, driven with messages as the dialog manager
// would send them: access keys, Tab, Escape and the close box, the list view,
// the message boxes' owners, the timer, the clipboard's formats and the
// layout. What the windows decide is tested on the behaviour.
namespace {

struct TShown {
    HWND Owner;
    TMessage Message;
};

class TRecordingMessenger final : public TMessenger {
public:
    std::vector<TShown> Shown;
    void Show(HWND owner, const TMessage& message) override { Shown.push_back({owner, message}); }
};

// Runs the thread's messages for a while, keys through the main window's
// dialog manager, as the program's loop does.
void Pump(HWND main, std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(main, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        Sleep(10);
    } while (std::chrono::steady_clock::now() < end);
}

// A key as the message loop hands it to the dialog manager: to the control
// with the focus.
void Key(HWND dialog, UINT message, WPARAM key) {
    MSG msg{GetFocus(), message, key, message == WM_SYSCHAR ? LPARAM(1) << 29 : 1, 0, {}};
    if (!IsDialogMessageW(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
void AltKey(HWND dialog, char letter) {
    Key(dialog, WM_SYSCHAR, WPARAM(letter));
}
void Tab(HWND dialog) {
    Key(dialog, WM_KEYDOWN, VK_TAB);
}
// Typing into the control with the focus, as TranslateMessage would hand it the characters.
void Type(const std::wstring& text) {
    for (const wchar_t ch : text)
        SendMessageW(GetFocus(), WM_CHAR, ch, 1);
}

// Runs once the thread's message loop has run for a while: a modal dialog
// shows itself only when its queue runs empty.
std::function<void()> Deferred;
void Later(std::function<void()> action) {
    Deferred = std::move(action);
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        Deferred();
    });
}

int FocusedId() {
    return GetDlgCtrlID(GetFocus());
}

std::wstring WindowText(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr))
        return "(clipboard not opened)";
    if (const HANDLE data = GetClipboardData(format)) {
        const auto* begin = static_cast<const char*>(GlobalLock(data));
        bytes.assign(begin, GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

class Win32Windows : public ::testing::Test {
protected:
    TRecordingMessenger Messages;
    TfrmMain Window{Messages};
    HWND Main = Window.Handle();
    // Each dialog's answer, run inside its modal loop.
    std::vector<std::function<void(TfrmWanEdit&)>> Answers;

    Win32Windows() {
        ShowWindow(Main, SW_SHOW);
        SetForegroundWindow(Main);
        Window.WanEditShown = [this](TfrmWanEdit& dialog) {
            ASSERT_FALSE(Answers.empty());
            auto answer = Answers.front();
            Answers.erase(Answers.begin());
            answer(dialog);
        };
        Pump(Main, std::chrono::milliseconds(50));
    }

    HWND Item(int id) const { return GetDlgItem(Main, id); }

    // The operator's keys in the dialog: the four fields, Tab between them, Alt+S.
    static auto TypeLine(std::wstring name, std::wstring ip, std::wstring tx, std::wstring rx) {
        return [=](TfrmWanEdit& dialog) {
            const HWND hwnd = dialog.Handle();
            EXPECT_EQ(FocusedId(), IDC_edtName);
            for (const std::wstring* field : {&name, &ip, &tx, &rx}) {
                Type(*field);
                Tab(hwnd);
            }
            AltKey(hwnd, 's');
        };
    }

    std::wstring Cell(int row, int column) const {
        wchar_t text[64] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(Item(IDC_lvWans), LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int RowCount() const { return int(SendMessageW(Item(IDC_lvWans), LVM_GETITEMCOUNT, 0, 0)); }
    void SelectRow(int row) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(Item(IDC_lvWans), LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
    }
};

TEST_F(Win32Windows, AnOperatorsSessionByKeysLeavesTheScriptOnTheClipboard) {
    Answers.push_back(TypeLine(L"电信", L"58.61.10.2", L"100", L"20"));
    AltKey(Main, 'a');
    ASSERT_EQ(RowCount(), 1);
    EXPECT_EQ(Cell(0, 0), L"电信");
    EXPECT_EQ(Cell(0, 1), L"58.61.10.2");
    EXPECT_EQ(Cell(0, 2), L"100 Mbps");
    EXPECT_EQ(Cell(0, 3), L"20 Mbps");

    TQvWanList lines;
    lines.push_back(std::make_unique<TQvWan>());
    lines.back()->Assign(FixedGbk("电信"), "58.61.10.2", 20, 100);
    EXPECT_EQ(SendMessageW(Item(IDC_cboRouterOs), CB_GETCURSEL, 0, 0), 0); // RouterOS v6 / v7 at every start
    EXPECT_EQ(SendMessageW(Item(IDC_cboRouterOs), CB_GETCOUNT, 0, 0), 2);
    for (const auto& [index, target] : {std::pair{0, TRouterOs::V6V7}, {1, TRouterOs::V5}}) {
        SetFocus(Item(IDC_edtLanName));
        SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
        Type(L"bridge");
        AltKey(Main, 'r');
        EXPECT_EQ(FocusedId(), IDC_cboRouterOs);
        SendMessageW(Item(IDC_cboRouterOs), CB_SETCURSEL, WPARAM(index), 0);
        AltKey(Main, 'g');
        AltKey(Main, 'c');

        TQvVorrel expected;
        expected.Target = target;
        expected.Generate("192.168.1.200", lines, "bridge", 150);
        const std::string script = expected.ScriptText();
        EXPECT_EQ(ClipboardBytes(CF_TEXT), script + '\0');
        const std::wstring unicode = FromUtf8(GbkToUtf8(script)) + L'\0';
        EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT),
                  std::string(reinterpret_cast<const char*>(unicode.data()), unicode.size() * sizeof(wchar_t)));
        EXPECT_EQ(ClipboardBytes(CF_LOCALE).substr(0, 4), std::string("\x04\x08\0\0", 4));
        // The box shows the same text, without the line end after "#ok".
        EXPECT_EQ(WindowText(Item(IDC_mmoScript)) + L"\r\n", unicode.substr(0, unicode.size() - 1));
        Window.Behaviour->Timer1Timer(); // the confirmation's end, for the next round
    }
    EXPECT_TRUE(Messages.Shown.empty());
}

TEST_F(Win32Windows, TabRunsDeleteAddModifyThenTheSettings) {
    EXPECT_EQ(FocusedId(), IDC_lvWans);
    std::vector<int> order;
    for (int i = 0; i < 11; ++i) {
        Tab(Main);
        order.push_back(FocusedId());
    }
    EXPECT_EQ(order, (std::vector<int>{IDC_btnDelete, IDC_btnAdd, IDC_btnModify, IDC_edtLanName, IDC_edtClientQty,
                                       IDC_edtVelmoip, IDC_mmoScript, IDC_btnGenerate, IDC_btnCopy, IDC_cboRouterOs,
                                       IDC_lvWans}));
}

TEST_F(Win32Windows, EscapeClosesNothingAndTheCloseBoxGivesCancel) {
    SetFocus(Item(IDC_mmoScript));
    Key(Main, WM_KEYDOWN, VK_ESCAPE); // a multi-line edit posts WM_CLOSE for it
    SetFocus(Item(IDC_edtLanName));
    Key(Main, WM_KEYDOWN, VK_ESCAPE);
    Pump(Main, std::chrono::milliseconds(50));
    EXPECT_FALSE(Window.Closed());
    EXPECT_TRUE(IsWindowVisible(Main));

    bool stayedOpen = false;
    Answers.push_back([&](TfrmWanEdit& dialog) {
        Type(L"changed");
        Key(dialog.Handle(), WM_KEYDOWN, VK_ESCAPE);
        Key(dialog.Handle(), WM_KEYDOWN, VK_RETURN);
        Later([&stayedOpen, hwnd = dialog.Handle()] {
            stayedOpen = IsWindowVisible(hwnd);
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
    });
    AltKey(Main, 'a');
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_TRUE(Messages.Shown.empty());

    SendMessageW(Main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(Window.Closed());
}

TEST_F(Win32Windows, HintsAreOwnedByTheWindowAtFaultAndFocusTheEdit) {
    SetWindowTextW(Item(IDC_edtVelmoip), L"  ");
    AltKey(Main, 'g');
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Owner, Main);
    EXPECT_EQ(Messages.Shown[0].Message, (TMessage{TMessage::Hint, "提示", "请输入Tarnwell服务器IP地址"}));
    EXPECT_EQ(FocusedId(), IDC_edtVelmoip);

    HWND dialogHandle = nullptr;
    Answers.push_back([&](TfrmWanEdit& dialog) {
        dialogHandle = dialog.Handle();
        // A lone surrogate pasted into the name must be refused, not saved as '?'.
        SetWindowTextW(dialog.Item(IDC_edtName), L"wan\xD800");
        for (const int edit : {IDC_edtIP, IDC_edtTx, IDC_edtRx})
            SetWindowTextW(dialog.Item(edit), L"1");
        SendMessageW(dialog.Item(IDC_btnSave), BM_CLICK, 0, 0);
        EXPECT_EQ(FocusedId(), IDC_edtName);
        SendMessageW(dialog.Item(IDC_btnCancel), BM_CLICK, 0, 0);
    });
    AltKey(Main, 'a');
    ASSERT_EQ(Messages.Shown.size(), 2u);
    EXPECT_EQ(Messages.Shown[1].Owner, dialogHandle);
    EXPECT_EQ(Messages.Shown[1].Message.Text, "网卡名称含有GBK无法表示的字符");
}

TEST_F(Win32Windows, RowsFollowModifyAndDelete) {
    Answers.push_back(TypeLine(L"ether2", L"1.1.1.1", L"100", L"20"));
    Answers.push_back(TypeLine(L"ether3", L"3.3.3.3", L"50", L"10"));
    AltKey(Main, 'a');
    AltKey(Main, 'a');
    SelectRow(0);
    Answers.push_back([](TfrmWanEdit& dialog) {
        EXPECT_EQ(WindowText(dialog.Item(IDC_edtTx)), L"100");
        SetWindowTextW(dialog.Item(IDC_edtTx), L"20");
        AltKey(dialog.Handle(), 's');
    });
    AltKey(Main, 'm');
    EXPECT_EQ(Cell(0, 2), L"20 Mbps");
    EXPECT_EQ(Cell(1, 0), L"ether3");

    AltKey(Main, 'd');
    ASSERT_EQ(RowCount(), 1);
    EXPECT_EQ(Cell(0, 0), L"ether3");
    EXPECT_EQ(ListView_GetNextItem(Item(IDC_lvWans), -1, LVNI_SELECTED), -1);
    ASSERT_EQ(Window.Behaviour->WanList.size(), 1u);
    EXPECT_EQ(Window.Behaviour->WanList[0]->ListItem->Wan, Window.Behaviour->WanList[0].get());
}

TEST_F(Win32Windows, CopyConfirmsOnItsButtonUntilTheTimerTicks) {
    AltKey(Main, 'c');
    const HWND copy = Item(IDC_btnCopy);
    EXPECT_FALSE(IsWindowEnabled(copy));
    EXPECT_EQ(WindowText(copy), L"已复制到剪贴板");
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string(1, '\0')); // nothing generated yet: an empty text
    Pump(Main, std::chrono::milliseconds(1000));
    EXPECT_FALSE(IsWindowEnabled(copy));
    Pump(Main, std::chrono::milliseconds(1000));
    EXPECT_TRUE(IsWindowEnabled(copy));
    EXPECT_EQ(WindowText(copy), L"复制到剪贴板[&C]");
}

TEST_F(Win32Windows, AClipboardHeldElsewhereIsReported) {
    const HWND other = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    AltKey(Main, 'c');
    CloseClipboard();
    DestroyWindow(other);
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Message, (TMessage{TMessage::Error, "Qostrel", "Cannot open clipboard."}));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_btnCopy)));
}

TEST_F(Win32Windows, LayoutScalesWithTheFontAndClipsNoLabel) {
    RECT units{0, 0, 4, 8};
    MapDialogRect(Main, &units);
    RECT client;
    GetClientRect(Main, &client);
    EXPECT_EQ(client.right, MulDiv(570, units.right, 6));
    EXPECT_EQ(client.bottom, MulDiv(437, units.bottom, 12));

    const HDC dc = GetDC(Main);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Main, WM_GETFONT, 0, 0)));
    for (const int label : {IDC_lblWans, IDC_lblLanName, IDC_lblClientQty, IDC_lblVelmoip}) {
        const std::wstring text = WindowText(Item(label));
        SIZE needed{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &needed);
        RECT box;
        GetClientRect(Item(label), &box);
        EXPECT_GE(box.right, needed.cx) << label;
    }
    ReleaseDC(Main, dc);

    // Right-aligned labels keep their right edge; the list keeps its pixels, scaled.
    RECT list;
    GetWindowRect(Item(IDC_lvWans), &list);
    MapWindowPoints(nullptr, Main, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, MulDiv(32, units.right, 6));
    EXPECT_EQ(list.bottom - list.top, MulDiv(32 + 137, units.bottom, 12) - MulDiv(32, units.bottom, 12));
}

} // namespace

int main(int argc, char** argv) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
