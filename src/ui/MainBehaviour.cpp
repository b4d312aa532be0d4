#include "ui/MainBehaviour.h"

#include "model/GbkCodec.h"
#include "ui/InputCheck.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <utility>

namespace {

constexpr std::string_view kCopyCaption = "复制到剪贴板[&C]";

// cboRouterOs's items, in order: every router of today first, at every start.
struct TRouterChoice {
    std::string_view Caption;
    TRouterOs Target;
};
constexpr TRouterChoice kRouterChoices[] = {{"RouterOS v6 / v7", TRouterOs::V6V7}, {"RouterOS v5", TRouterOs::V5}};

constexpr std::string_view kRouterChoiceTip = "RouterOS v6 / v7：适用于所有v6和v7版本。\n"
                                              "脚本在路由器上读取系统版本，先检查网卡名称、IP地址和\n"
                                              "路由器上原有的设置，不符时停止，不作任何改动；\n"
                                              "FastTrack规则会被禁用（不删除）。\n"
                                              "RouterOS v5：原版脚本，只用于v5的路由器。\n"
                                              "默认配置下“LAN网卡名称”应填写网桥的名称，例如bridge。";

std::string Mbps(std::int32_t value) {
    return std::to_string(value) + " Mbps";
}

} // namespace

TMainBehaviour::TMainBehaviour(TMainWindowPort& window) : Window(window) {
    Window.SetText(TControl::edtLanName, "LAN");
    Window.SetText(TControl::edtClientQty, "150");
    Window.SetText(TControl::edtVelmoip, "192.168.1.200");
    std::vector<std::string> choices;
    for (const TRouterChoice& choice : kRouterChoices)
        choices.emplace_back(choice.Caption);
    Window.SetItems(TControl::cboRouterOs, choices);
    Window.SetItemIndex(TControl::cboRouterOs, 0);
    Window.SetToolTip(TControl::cboRouterOs, kRouterChoiceTip);
}

TWanListItem* TMainBehaviour::SelectedItem(std::string_view noSelectionHint) {
    if (WanList.empty())
        return nullptr; // nothing to pick, nothing to say
    TWanListItem* row = Window.SelectedRow();
    if (!row)
        Window.ShowMessage(HintMessage(noSelectionHint));
    return row;
}

void TMainBehaviour::UpdateWanItem(TQvWan& wan) {
    if (!wan.ListItem)
        wan.ListItem = &Window.AppendRow(wan);
    Window.SetRowTexts(*wan.ListItem, {GbkToUtf8(wan.NameVar.AsText()), GbkToUtf8(wan.IpVar.AsText()),
                                       Mbps(wan.TxVar.AsInteger()), Mbps(wan.RxVar.AsInteger())});
}

void TMainBehaviour::btnAddClick() {
    auto wan = std::make_unique<TQvWan>();
    if (Window.RunWanEdit(*wan, WanList, kAddMode) != mrOk)
        return; // the new line is freed here
    WanList.push_back(std::move(wan));
    UpdateWanItem(*WanList.back());
}

void TMainBehaviour::btnModifyClick() {
    TWanListItem* row = SelectedItem("请选择左边要修改的WAN信息");
    if (row && Window.RunWanEdit(*row->Wan, WanList, kModifyMode) == mrOk)
        UpdateWanItem(*row->Wan);
}

void TMainBehaviour::btnDeleteClick() {
    TWanListItem* row = SelectedItem("请选择左边要删除的WAN信息");
    if (!row)
        return;
    const TQvWan* line = row->Wan;
    std::erase_if(WanList, [line](const std::unique_ptr<TQvWan>& wan) { return wan.get() == line; });
    Window.DeleteRow(*row);
}

void TMainBehaviour::btnGenerateClick() {
    const TInputCheck check(Window);
    const auto server = check.RequiredText(TControl::edtVelmoip, "请输入Tarnwell服务器IP地址", "Tarnwell服务器IP地址",
                                           TInputCheck::KeepEdit);
    if (!server)
        return;
    const auto lanName =
        check.RequiredText(TControl::edtLanName, "请输入LAN网卡名称", "LAN网卡名称", TInputCheck::KeepEdit);
    if (!lanName)
        return;
    const auto clients = check.Integer(TControl::edtClientQty, false);
    if (!clients || *clients <= 0) {
        check.Refuse(std::nullopt, "请输入客户机数，必须大于零");
        return;
    }
    if (WanList.empty()) {
        check.Refuse(std::nullopt, "请增加外网端口设置");
        return;
    }

    // A run that fails halfway must not leave half a script for Copy, so the
    // earlier one stays, as after a refused input. Generate refills Lines from
    // empty, so the earlier entries can be moved out.
    auto previous = std::move(Generator.Lines);
    const int choice = Window.ItemIndex(TControl::cboRouterOs);
    Generator.Target = kRouterChoices[choice >= 0 && choice < int(std::size(kRouterChoices)) ? choice : 0].Target;
    try {
        Generator.Generate(*server, WanList, *lanName, *clients);
    } catch (const std::exception& failure) {
        Generator.Lines = std::move(previous);
        Window.ShowMessage(ErrorMessage(failure.what()));
        return;
    }

    std::string script = GbkToUtf8(Generator.ScriptText());
    script.resize(script.size() - 2); // the last entry's line end: the box shows no empty line after "#ok"
    Window.SetText(TControl::mmoScript, script);
}

void TMainBehaviour::btnCopyClick() {
    const std::string script = Generator.ScriptText();
    if (!Window.PutOnClipboard(script, GbkToUtf8(script))) {
        Window.ShowMessage(ErrorMessage("Cannot open clipboard."));
        return;
    }
    Window.SetEnabled(TControl::btnCopy, false);
    Window.SetText(TControl::btnCopy, "已复制到剪贴板");
    Window.StartTimer();
}

void TMainBehaviour::Timer1Timer() {
    Window.SetText(TControl::btnCopy, kCopyCaption);
    Window.SetEnabled(TControl::btnCopy, true);
    Window.StopTimer();
}
