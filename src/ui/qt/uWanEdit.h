#pragma once

#include "ui/WanEditBehaviour.h"
#include "ui/qt/QtControls.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmWanEdit;
}

// The WAN line dialog in Qt: its form, and the buttons wired to the behaviour.
class TfrmWanEdit final : public QDialog, private TQtControls<TWanEditPort> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmWanEdit)

public:
    explicit TfrmWanEdit(QWidget* parent = nullptr, TMessenger& messenger = DefaultMessenger());
    ~TfrmWanEdit() override;

private:
    std::unique_ptr<Ui::TfrmWanEdit> ui;

public:
    TWanEditBehaviour Behaviour{*this};

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CloseModal(TModalResult result) override;
};
