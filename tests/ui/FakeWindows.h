#pragma once

#include "ui/WanEditBehaviour.h"
#include "ui/WindowPorts.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// In-memory windows for the behaviour: they keep what a toolkit would show
// and record the message boxes instead of showing them.
template <typename TPort> class TFakeControls : public TPort {
public:
    std::map<TControl, std::string> Texts;
    std::optional<TControl> Focused; // nothing until the behaviour moves the focus
    std::vector<TMessage> Shown;

    std::string Text(TControl control) const override {
        const auto found = Texts.find(control);
        return found == Texts.end() ? std::string() : found->second;
    }
    void SetText(TControl control, std::string_view utf8) override { Texts[control] = utf8; }
    void Focus(TControl control) override { Focused = control; }
    void ShowMessage(const TMessage& message) override { Shown.push_back(message); }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : Shown)
            texts.push_back(message.Text);
        return texts;
    }
    // Every input hint has the same frame: caption 提示, no icon.
    bool AllHints() const {
        for (const auto& message : Shown)
            if (message.Kind != TMessage::Hint || message.Caption != "提示")
                return false;
        return true;
    }
};

class TFakeWanEdit final : public TFakeControls<TWanEditPort> {
public:
    TModalResult Result = mrNone; // mrNone: still open
    void CloseModal(TModalResult result) override { Result = result; }
};

struct TFakeRow final : TWanListItem {
    using TWanListItem::TWanListItem;
    TMainWindowPort::TRowTexts Texts;
};

class TFakeMain final : public TFakeControls<TMainWindowPort> {
public:
    std::vector<std::unique_ptr<TFakeRow>> Rows;
    int SelectedIndex = -1;
    int RouterIndex = -1; // nothing selected until the behaviour selects
    std::map<TControl, std::vector<std::string>> Items;
    std::map<TControl, std::string> ToolTips;
    std::map<TControl, bool> Disabled;
    bool ClipboardOpens = true;
    std::optional<std::pair<std::string, std::string>> Clipboard; // GBK, UTF-8
    bool TimerRunning = false;
    // Plays the edit dialog's part; the mode is what the main window asked for.
    std::function<TModalResult(TQvWan&, const TQvWanList&, int)> Dialog;

    TWanListItem& AppendRow(TQvWan& wan) override {
        Rows.push_back(std::make_unique<TFakeRow>(wan));
        return *Rows.back();
    }
    void SetRowTexts(TWanListItem& row, const TRowTexts& utf8) override { static_cast<TFakeRow&>(row).Texts = utf8; }
    void DeleteRow(TWanListItem& row) override {
        std::erase_if(Rows, [&row](const auto& kept) { return kept.get() == &row; });
        SelectedIndex = -1;
    }
    TWanListItem* SelectedRow() const override {
        return SelectedIndex >= 0 ? Rows[std::size_t(SelectedIndex)].get() : nullptr;
    }
    void SetItems(TControl comboBox, const std::vector<std::string>& utf8) override { Items[comboBox] = utf8; }
    void SetItemIndex(TControl, int index) override { RouterIndex = index; }
    int ItemIndex(TControl) const override { return RouterIndex; }
    void SetToolTip(TControl control, std::string_view utf8) override { ToolTips[control] = utf8; }
    void SetEnabled(TControl control, bool enabled) override { Disabled[control] = !enabled; }
    TModalResult RunWanEdit(TQvWan& wan, const TQvWanList& wanList, int editMode) override {
        return Dialog(wan, wanList, editMode);
    }
    bool PutOnClipboard(std::string_view gbk, std::string_view utf8) override {
        if (!ClipboardOpens)
            return false;
        Clipboard.emplace(gbk, utf8);
        return true;
    }
    void StartTimer() override { TimerRunning = true; }
    void StopTimer() override { TimerRunning = false; }
};
