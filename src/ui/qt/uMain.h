#pragma once

#include "ui/MainBehaviour.h"
#include "ui/qt/QtControls.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class TfrmMain;
}
class QClipboard;
class TfrmWanEdit;

// The main window in Qt: its form, and the controls wired to the behaviour.
class TfrmMain final : public QWidget, private TQtControls<TMainWindowPort> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmMain)

public:
    explicit TfrmMain(TMessenger& messenger = DefaultMessenger(), QWidget* parent = nullptr);
    ~TfrmMain() override;

    // How the edit dialog is shown; tests fill and close it instead of running a modal loop.
    std::function<int(TfrmWanEdit&)> RunDialog;
    // Where Copy puts the script; null when there is no clipboard.
    std::function<QClipboard*()> Clipboard;

private:
    std::unique_ptr<Ui::TfrmMain> ui;
    QTimer Timer1{this};

public:
    // Created last: it sets the defaults into the controls.
    TMainBehaviour Behaviour{*this};

private:
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
