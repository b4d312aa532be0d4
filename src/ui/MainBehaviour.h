#pragma once

#include "generator/QvVorrel.h"
#include "model/QvWan.h"
#include "ui/WindowPorts.h"

// What the main window does, whatever toolkit draws it: the list of WAN lines
// and its rows, the checks before Generate, Copy and its confirmation.
class TMainBehaviour final {
public:
    // Sets the defaults; the window's controls must exist.
    explicit TMainBehaviour(TMainWindowPort& window);
    TMainBehaviour(const TMainBehaviour&) = delete;
    TMainBehaviour& operator=(const TMainBehaviour&) = delete;

    // Declared in creation order: the lines are freed before the generator.
    TQvVorrel Generator;
    TQvWanList WanList;

    void btnAddClick();
    void btnModifyClick();
    void btnDeleteClick();
    void btnGenerateClick();
    void btnCopyClick();
    void Timer1Timer();
    void UpdateWanItem(TQvWan& wan);

private:
    TMainWindowPort& Window;

    // The selected row; null on an empty list, or after the hint when no row is selected.
    TWanListItem* SelectedItem(std::string_view noSelectionHint);
};
