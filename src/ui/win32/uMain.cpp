#include "ui/win32/uMain.h"

#include "ui/win32/Layout.h"
#include "ui/win32/resource.h"
#include "ui/win32/uWanEdit.h"

#include <commctrl.h>

#include <cstring>

namespace {

constexpr TPlacement kLayout[] = {
    {IDC_lblWans, PX_lblWans},       {IDC_lblLanName, PX_lblLanName},   {IDC_lblClientQty, PX_lblClientQty},
    {IDC_lblVelmoip, PX_lblVelmoip}, {IDC_lblRouterOs, PX_lblRouterOs}, {IDC_cboRouterOs, PX_cboRouterOs},
    {IDC_lvWans, PX_lvWans},         {IDC_btnAdd, PX_btnAdd},           {IDC_btnModify, PX_btnModify},
    {IDC_btnDelete, PX_btnDelete},   {IDC_edtLanName, PX_edtLanName},   {IDC_edtClientQty, PX_edtClientQty},
    {IDC_edtVelmoip, PX_edtVelmoip}, {IDC_mmoScript, PX_mmoScript},     {IDC_btnGenerate, PX_btnGenerate},
    {IDC_btnCopy, PX_btnCopy},
};

struct TColumn {
    const wchar_t* Header;
    int Width; // pixels at 96 DPI with 宋体
};
constexpr TColumn kColumns[] = {{L"网卡名称", 100}, {L"网卡IP", 110}, {L"下载带宽", 90}, {L"上传带宽", 104}};

// Windows takes a moving block for each format, and owns it once taken.
bool SetClipboardBytes(UINT format, const void* bytes, std::size_t size) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return false;
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    if (SetClipboardData(format, block))
        return true;
    GlobalFree(block);
    return false;
}

} // namespace

TfrmMain::TfrmMain(TMessenger& messenger) : TWin32Window(messenger) {
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_frmMain), nullptr, DialogProc,
                       reinterpret_cast<LPARAM>(static_cast<TDialog*>(this)));
}

TfrmMain::~TfrmMain() {
    if (Hwnd)
        DestroyWindow(Hwnd);
}

void TfrmMain::OnInit() {
    const auto icon = [](int size) {
        return LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_qostrel), IMAGE_ICON, size, size, 0);
    };
    SendMessageW(Hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon(GetSystemMetrics(SM_CXSMICON))));
    SendMessageW(Hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon(GetSystemMetrics(SM_CXICON))));

    Lay(kLayout, PX_frmMain);
    Centre(nullptr);

    const HWND list = Item(IDC_lvWans);
    ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < int(std::size(kColumns)); ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH;
        header.pszText = const_cast<wchar_t*>(kColumns[column].Header);
        header.cx = ScaleX(kColumns[column].Width);
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(column), reinterpret_cast<LPARAM>(&header));
    }
    ListView_DeleteAllItems(list);

    ToolTips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, Hwnd, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(ToolTips, TTM_SETMAXTIPWIDTH, 0, ScaleX(460)); // keeps the line breaks
    for (const int edit : {IDC_edtLanName, IDC_edtClientQty, IDC_edtVelmoip, IDC_mmoScript})
        SendDlgItemMessageW(Hwnd, edit, EM_SETLIMITTEXT, 0, 0); // no length limit

    Behaviour.emplace(*this);
}

void TfrmMain::OnCommand(int id) {
    switch (id) {
    case IDC_btnAdd:
        return Behaviour->btnAddClick();
    case IDC_btnModify:
        return Behaviour->btnModifyClick();
    case IDC_btnDelete:
        return Behaviour->btnDeleteClick();
    case IDC_btnGenerate:
        return Behaviour->btnGenerateClick();
    case IDC_btnCopy:
        return Behaviour->btnCopyClick();
    default:
        return;
    }
}

void TfrmMain::OnCloseBox() {
    DestroyWindow(Hwnd);
    Hwnd = nullptr;
}

void TfrmMain::OnTimer() {
    Behaviour->Timer1Timer();
}

int TfrmMain::RowIndex(const TWanListItem& row) const {
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(&row);
    return int(SendDlgItemMessageW(Hwnd, IDC_lvWans, LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
}

TWanListItem& TfrmMain::AppendRow(TQvWan& wan) {
    TWanListItem& row = Rows.emplace_back(wan);
    LVITEMW item{};
    item.mask = LVIF_PARAM | LVIF_TEXT;
    item.iItem = int(SendDlgItemMessageW(Hwnd, IDC_lvWans, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(L"");
    item.lParam = reinterpret_cast<LPARAM>(&row);
    SendDlgItemMessageW(Hwnd, IDC_lvWans, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return row;
}

void TfrmMain::SetRowTexts(TWanListItem& row, const TRowTexts& utf8) {
    const int index = RowIndex(row);
    for (int column = 0; column < int(utf8.size()); ++column) {
        std::wstring text = FromUtf8(utf8[std::size_t(column)]);
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        SendDlgItemMessageW(Hwnd, IDC_lvWans, LVM_SETITEMTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    }
}

void TfrmMain::DeleteRow(TWanListItem& row) {
    SendDlgItemMessageW(Hwnd, IDC_lvWans, LVM_DELETEITEM, WPARAM(RowIndex(row)), 0);
    std::erase_if(Rows, [&row](const TWanListItem& kept) { return &kept == &row; });
    // No code selects a row.
    ListView_SetItemState(Item(IDC_lvWans), -1, 0, LVIS_SELECTED);
}

TWanListItem* TfrmMain::SelectedRow() const {
    const HWND list = Item(IDC_lvWans);
    const int index = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (index < 0)
        return nullptr;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<TWanListItem*>(item.lParam);
}

void TfrmMain::SetItems(TControl comboBox, const std::vector<std::string>& utf8) {
    SendDlgItemMessageW(Hwnd, ControlId(comboBox), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : utf8)
        SendDlgItemMessageW(Hwnd, ControlId(comboBox), CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(FromUtf8(item).c_str()));
}

void TfrmMain::SetItemIndex(TControl comboBox, int index) {
    SendDlgItemMessageW(Hwnd, ControlId(comboBox), CB_SETCURSEL, WPARAM(index), 0);
}

int TfrmMain::ItemIndex(TControl comboBox) const {
    return int(SendDlgItemMessageW(Hwnd, ControlId(comboBox), CB_GETCURSEL, 0, 0));
}

void TfrmMain::SetToolTip(TControl control, std::string_view utf8) {
    std::wstring text;
    for (const wchar_t ch : FromUtf8(utf8))
        text += ch == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, ch);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(ControlId(control)));
    tool.lpszText = text.data(); // the tooltip keeps a copy
    SendMessageW(ToolTips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(ToolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TfrmMain::SetEnabled(TControl control, bool enabled) {
    const HWND item = Item(ControlId(control));
    if (!enabled && GetFocus() == item)
        SendMessageW(Hwnd, WM_NEXTDLGCTL, 0, FALSE); // a disabled control keeps no focus
    EnableWindow(item, enabled);
}

TModalResult TfrmMain::RunWanEdit(TQvWan& wan, const TQvWanList& wanList, int editMode) {
    TfrmWanEdit dialog(Messenger, wan, wanList, editMode);
    dialog.Shown = WanEditShown;
    return dialog.Run(Hwnd);
}

bool TfrmMain::PutOnClipboard(std::string_view gbk, std::string_view utf8) {
    // Another program may hold the clipboard for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 10 && !(opened = OpenClipboard(Hwnd)); ++attempt)
        Sleep(20);
    if (!opened)
        return false;
    const std::wstring unicode = FromUtf8(utf8);
    const std::string text(gbk); // zero-terminated
    // The locale keeps Windows from deriving the 8-bit text through another
    // code page; each program takes the format it knows.
    const LCID locale = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
    const bool put = EmptyClipboard() &&
                     SetClipboardBytes(CF_UNICODETEXT, unicode.c_str(), (unicode.size() + 1) * sizeof(wchar_t)) &&
                     SetClipboardBytes(CF_TEXT, text.c_str(), text.size() + 1) &&
                     SetClipboardBytes(CF_LOCALE, &locale, sizeof locale);
    CloseClipboard();
    return put;
}

void TfrmMain::StartTimer() {
    SetTimer(Hwnd, IDT_Timer1, kTimer1Interval, nullptr);
}

void TfrmMain::StopTimer() {
    KillTimer(Hwnd, IDT_Timer1);
}
