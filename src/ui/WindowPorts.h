#pragma once

#include "model/QvWan.h"

#include <array>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// What the windows' behaviour asks of a toolkit's window, and nothing more.
// Texts cross here as UTF-8; each toolkit converts its own text at its edge,
// and a lone UTF-16 surrogate arrives as U+FFFD.

// The controls, by the names the windows give them.
enum class TControl {
    // main window
    lvWans,
    btnDelete,
    btnAdd,
    btnModify,
    edtLanName,
    edtClientQty,
    edtVelmoip,
    mmoScript,
    btnGenerate,
    btnCopy,
    cboRouterOs,
    // edit dialog
    edtName,
    edtIP,
    edtTx,
    edtRx,
    btnSave,
    btnCancel,
};

// The control's name, as the window's own object or resource name.
constexpr std::string_view ControlName(TControl control) {
    constexpr std::string_view names[] = {"lvWans",       "btnDelete",  "btnAdd",    "btnModify",   "edtLanName",
                                          "edtClientQty", "edtVelmoip", "mmoScript", "btnGenerate", "btnCopy",
                                          "cboRouterOs",  "edtName",    "edtIP",     "edtTx",       "edtRx",
                                          "btnSave",      "btnCancel"};
    static_assert(std::size(names) == static_cast<std::size_t>(TControl::btnCancel) + 1);
    return names[static_cast<int>(control)];
}

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// The edit dialog's EditMode.
inline constexpr int kAddMode = 1;
inline constexpr int kModifyMode = 2;

// Every message box has one OK button.
struct TMessage {
    enum TKind {
        Hint,  // caption "提示", no icon: an input the operator must correct
        Error, // error icon, the application's title: the general error report
    };
    TKind Kind = Hint;
    std::string Caption;
    std::string Text;

    bool operator==(const TMessage&) const = default;
};

// How long Copy confirms itself on its button.
inline constexpr int kTimer1Interval = 1500; // ms

// The application's title, the general error report's caption.
inline constexpr std::string_view kApplicationTitle = "Qostrel";

// What both windows do alike.
class TWindowPort {
public:
    virtual ~TWindowPort() = default;

    virtual std::string Text(TControl control) const = 0;
    virtual void SetText(TControl control, std::string_view utf8) = 0;
    virtual void Focus(TControl control) = 0;
    // Modal, owned by this window.
    virtual void ShowMessage(const TMessage& message) = 0;
};

// A row of lvWans, as the toolkit keeps it: the list view owns its rows, and a
// row's data link points to the line it shows.
class TWanListItem {
public:
    explicit TWanListItem(TQvWan& wan) : Wan(&wan) {}
    virtual ~TWanListItem() = default;
    TQvWan* Wan;
};

class TMainWindowPort : public TWindowPort {
public:
    // Texts of a row: interface name, IP, download, upload.
    using TRowTexts = std::array<std::string, 4>;

    // A new row at the end of lvWans, linked to the line.
    virtual TWanListItem& AppendRow(TQvWan& wan) = 0;
    virtual void SetRowTexts(TWanListItem& row, const TRowTexts& utf8) = 0;
    virtual void DeleteRow(TWanListItem& row) = 0;
    // Null when no row is selected.
    virtual TWanListItem* SelectedRow() const = 0;

    // A combo box's items, replacing any it had, and the one selected.
    virtual void SetItems(TControl comboBox, const std::vector<std::string>& utf8) = 0;
    virtual void SetItemIndex(TControl comboBox, int index) = 0;
    virtual int ItemIndex(TControl comboBox) const = 0;
    // The hint the control shows under the mouse; lines end in LF.
    virtual void SetToolTip(TControl control, std::string_view utf8) = 0;
    virtual void SetEnabled(TControl control, bool enabled) = 0;

    // Creates the edit dialog, hands it the line, the list and the mode in
    // that order, shows it modally and frees it; returns its modal result.
    virtual TModalResult RunWanEdit(TQvWan& wan, const TQvWanList& wanList, int editMode) = 0;

    // The script both as its exact GBK bytes and as the same text in UTF-8.
    // False when the clipboard could not be opened or did not take it.
    virtual bool PutOnClipboard(std::string_view gbk, std::string_view utf8) = 0;

    // Timer1: kTimer1Interval, ticking on the UI thread into Timer1Timer.
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
};

class TWanEditPort : public TWindowPort {
public:
    // Ends the modal loop with this result.
    virtual void CloseModal(TModalResult result) = 0;
};
