#pragma once

#include "ui/WanEditBehaviour.h"
#include "ui/qt/Messenger.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmWanEdit;
}
class QLineEdit;

// The WAN line dialog in Qt: its form, and the buttons wired to the behaviour.
class TfrmWanEdit final : public QDialog, private TWanEditPort {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmWanEdit)

public:
    explicit TfrmWanEdit(QWidget* parent = nullptr, TMessenger& messenger = DefaultMessenger());
    ~TfrmWanEdit() override;

private:
    std::unique_ptr<Ui::TfrmWanEdit> ui;
    TMessenger& Messenger;

public:
    TWanEditBehaviour Behaviour{*this};

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit& Edit(TControl control) const;

    std::string Text(TControl control) const override;
    void SetText(TControl control, std::string_view utf8) override;
    void Focus(TControl control) override;
    void ShowMessage(const TMessage& message) override;
    void CloseModal(TModalResult result) override;
};
