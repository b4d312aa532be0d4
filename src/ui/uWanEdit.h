#pragma once

#include "model/QvWan.h"
#include "ui/Messenger.h"

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class TfrmWanEdit;
}

// Enters or changes one WAN line. Save writes the line only once every check
// has passed; Cancel and the close box leave it untouched.
class TfrmWanEdit final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmWanEdit)

public:
    static constexpr int AddMode = 1;
    static constexpr int ModifyMode = 2;

    explicit TfrmWanEdit(QWidget* parent = nullptr, TMessenger& messenger = DefaultMessenger());
    ~TfrmWanEdit() override;

    int EditMode = AddMode;
    TQvWan* Wan = nullptr;               // not owned
    const TQvWanList* WanList = nullptr; // not owned, only read

    void SetWan(TQvWan& wan);
    void LoadFields();
    bool CheckInput();
    bool IsNameUnique(const std::string& name) const;

    void btnSaveClick();
    void btnCancelClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::TfrmWanEdit> ui;
    TMessenger& Messenger;
};
