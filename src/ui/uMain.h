#pragma once

#include "generator/QvVorrel.h"
#include "model/QvWan.h"
#include "ui/Messenger.h"

#include <QTableWidgetItem>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class TfrmMain;
}
class QClipboard;
class TfrmWanEdit;

// A row of the list of WAN lines: its first cell, linked to the line it shows.
// The list view owns it; the line only links to it.
class TWanListItem final : public QTableWidgetItem {
public:
    explicit TWanListItem(TQvWan& wan) : Wan(&wan) {}
    TQvWan* Wan;
};

class TfrmMain final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmMain)

public:
    explicit TfrmMain(TMessenger& messenger = DefaultMessenger(), QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Declared in creation order: the lines are freed before the generator.
    TQvVorrel Generator;
    TQvWanList WanList;

    // How the edit dialog is shown; tests fill and close it instead of running a modal loop.
    std::function<int(TfrmWanEdit&)> RunWanEdit;
    // Where Copy puts the script; null when there is no clipboard.
    std::function<QClipboard*()> Clipboard;

    void btnAddClick();
    void btnModifyClick();
    void btnDeleteClick();
    void btnGenerateClick();
    void btnCopyClick();
    void Timer1Timer();
    void UpdateWanItem(TQvWan& wan);

private:
    std::unique_ptr<Ui::TfrmMain> ui;
    TMessenger& Messenger;
    QTimer Timer1{this};

    int EditWan(TQvWan& wan, int editMode);
    // The selected row's item; null on an empty list, or after the hint when no row is selected.
    TWanListItem* SelectedItem(const QString& noSelectionHint);
    bool Copy(const std::string& script);
};
