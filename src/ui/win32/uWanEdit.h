#pragma once

#include "ui/WanEditBehaviour.h"
#include "ui/win32/Dialog.h"

#include <functional>

// The WAN line dialog in Win32: modal over the main window, its buttons wired
// to the behaviour.
class TfrmWanEdit final : public TWin32Window<TWanEditPort> {
public:
    TfrmWanEdit(TMessenger& messenger, TQvWan& wan, const TQvWanList& wanList, int editMode);

    TWanEditBehaviour Behaviour{*this};
    // Called inside the modal loop once the dialog shows; tests answer it there.
    std::function<void(TfrmWanEdit&)> Shown;

    // Creates the dialog, hands it the line, the list and the mode, runs it
    // modally and returns its result.
    TModalResult Run(HWND owner);

private:
    TQvWan& Wan;
    const TQvWanList& WanList;
    int EditMode;

    void OnInit() override;
    void OnCommand(int id) override;
    void OnCloseBox() override;
    void OnShown() override;
    void CloseModal(TModalResult result) override;
};
