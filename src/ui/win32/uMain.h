#pragma once

#include "ui/MainBehaviour.h"
#include "ui/win32/Dialog.h"

#include <functional>
#include <list>
#include <optional>

class TfrmWanEdit;

// The main window in Win32: a modeless dialog whose controls are wired to the
// behaviour. The program's message loop passes keys through IsDialogMessage.
class TfrmMain final : public TWin32Window<TMainWindowPort> {
public:
    explicit TfrmMain(TMessenger& messenger = DefaultMessenger());
    ~TfrmMain() override;

    // Whether the operator has closed the window.
    bool Closed() const { return Hwnd == nullptr; }
    // Handed to each edit dialog; tests answer the dialog there.
    std::function<void(TfrmWanEdit&)> WanEditShown;

private:
    // Each row's data: the list view's items link here through their lParam.
    std::list<TWanListItem> Rows;
    HWND ToolTips = nullptr; // owned by the window

public:
    // Created with the window: it sets the defaults into the controls.
    std::optional<TMainBehaviour> Behaviour;

private:
    void OnInit() override;
    void OnCommand(int id) override;
    void OnCloseBox() override;
    void OnTimer() override;

    int RowIndex(const TWanListItem& row) const;

    TWanListItem& AppendRow(TQvWan& wan) override;
    void SetRowTexts(TWanListItem& row, const TRowTexts& utf8) override;
    void DeleteRow(TWanListItem& row) override;
    TWanListItem* SelectedRow() const override;
    void SetItems(TControl comboBox, const std::vector<std::string>& utf8) override;
    void SetItemIndex(TControl comboBox, int index) override;
    int ItemIndex(TControl comboBox) const override;
    void SetToolTip(TControl control, std::string_view utf8) override;
    void SetEnabled(TControl control, bool enabled) override;
    TModalResult RunWanEdit(TQvWan& wan, const TQvWanList& wanList, int editMode) override;
    bool PutOnClipboard(std::string_view gbk, std::string_view utf8) override;
    void StartTimer() override;
    void StopTimer() override;
};
