#include "ui/MainBehaviour.h"
#include "FakeWindows.h"
#include "model/GbkCodec.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

using TStrings = std::vector<std::string>;

// One answer to the edit dialog: what to type, and whether to save or cancel.
struct TDialogAnswer {
    std::string Name, Ip, Tx, Rx;
    bool Save = true;
};

class MainBehaviour : public ::testing::Test {
protected:
    TFakeMain Window;
    std::deque<TDialogAnswer> Answers;
    std::vector<int> DialogModes;
    TMainBehaviour Main{Window};

    MainBehaviour() {
        // The dialog as the main window drives it: line, list, mode, then the operator's answer.
        Window.Dialog = [this](TQvWan& wan, const TQvWanList& list, int mode) {
            DialogModes.push_back(mode);
            const TDialogAnswer answer = Answers.front();
            Answers.pop_front();
            TFakeWanEdit dialog;
            TWanEditBehaviour edit(dialog);
            edit.SetWan(wan);
            edit.WanList = &list;
            edit.EditMode = mode;
            dialog.Texts = {{TControl::edtName, answer.Name},
                            {TControl::edtIP, answer.Ip},
                            {TControl::edtTx, answer.Tx},
                            {TControl::edtRx, answer.Rx}};
            answer.Save ? edit.btnSaveClick() : edit.btnCancelClick();
            return dialog.Result;
        };
    }

    void Add(const std::string& name, const std::string& ip, const std::string& tx, const std::string& rx) {
        Answers.push_back({name, ip, tx, rx});
        Main.btnAddClick();
    }
    void AddOne() { Add("ether2", "1.1.1.1", "100", "20"); }

    const std::string& Cell(std::size_t row, std::size_t column) const { return Window.Rows.at(row)->Texts[column]; }
    std::string& Edit(TControl edit) { return Window.Texts[edit]; }

    std::string Global(const std::string& name) const {
        for (const auto& entry : Main.Generator.Lines)
            if (entry.starts_with(":global " + name + ' '))
                return entry.substr(9 + name.size());
        return {};
    }

    // A script as the box shows it: no line end after "#ok".
    static std::string Shown(const std::string& script) {
        const std::string text = GbkToUtf8(script);
        return text.substr(0, text.size() - 2);
    }

    void ExpectOnlyMessage(const std::string& text) {
        EXPECT_EQ(Window.MessageTexts(), TStrings{text});
        EXPECT_TRUE(Window.AllHints());
        Window.Shown.clear();
        Window.Focused.reset();
    }
};

TEST_F(MainBehaviour, StartsWithTheDefaults) {
    EXPECT_EQ(Window.Texts, (std::map<TControl, std::string>{{TControl::edtLanName, "LAN"},
                                                             {TControl::edtClientQty, "150"},
                                                             {TControl::edtVelmoip, "192.168.1.200"}}));
    EXPECT_TRUE(Window.Rows.empty());
    EXPECT_TRUE(Main.WanList.empty());
    EXPECT_TRUE(Main.Generator.Lines.empty());
}

TEST_F(MainBehaviour, FirstFailedGenerateCheckWins) {
    Edit(TControl::edtVelmoip) = "   ";
    Edit(TControl::edtLanName).clear();
    Edit(TControl::edtClientQty).clear();
    Main.btnGenerateClick();
    EXPECT_EQ(Window.Focused, TControl::edtVelmoip);
    EXPECT_EQ(Edit(TControl::edtVelmoip), "   "); // no check writes to an edit
    ExpectOnlyMessage("请输入Tarnwell服务器IP地址");

    Edit(TControl::edtVelmoip) = "10.0.0.1";
    Main.btnGenerateClick();
    EXPECT_EQ(Window.Focused, TControl::edtLanName);
    ExpectOnlyMessage("请输入LAN网卡名称");

    Edit(TControl::edtLanName) = "LAN";
    Main.btnGenerateClick();
    EXPECT_FALSE(Window.Focused); // unchanged
    ExpectOnlyMessage("请输入客户机数，必须大于零");

    Edit(TControl::edtClientQty) = "150";
    Main.btnGenerateClick();
    EXPECT_FALSE(Window.Focused);
    ExpectOnlyMessage("请增加外网端口设置");
    EXPECT_TRUE(Main.Generator.Lines.empty());
    EXPECT_FALSE(Window.Texts.contains(TControl::mmoScript));
}

TEST_F(MainBehaviour, TextWithoutAGbkFormIsRefused) {
    AddOne();
    Edit(TControl::edtVelmoip) = "srv😀";
    Main.btnGenerateClick();
    EXPECT_EQ(Window.Focused, TControl::edtVelmoip);
    ExpectOnlyMessage("Tarnwell服务器IP地址含有GBK无法表示的字符");

    Edit(TControl::edtVelmoip) = "srv";
    Edit(TControl::edtLanName) = "ÿ";
    Main.btnGenerateClick();
    EXPECT_EQ(Window.Focused, TControl::edtLanName);
    ExpectOnlyMessage("LAN网卡名称含有GBK无法表示的字符");

    // Pasted broken text must not reach the script as "\3F" or lose a character:
    // a lone surrogate arrives as U+FFFD, and U+FEFF has no GBK form.
    Edit(TControl::edtLanName) = "LAN";
    Edit(TControl::edtVelmoip) = "10.0.0.1\uFFFD";
    Main.btnGenerateClick();
    ExpectOnlyMessage("Tarnwell服务器IP地址含有GBK无法表示的字符");
    Edit(TControl::edtVelmoip) = "10.0.0.1";
    Edit(TControl::edtLanName) = "\uFEFF";
    Main.btnGenerateClick();
    ExpectOnlyMessage("LAN网卡名称含有GBK无法表示的字符");
    EXPECT_TRUE(Main.Generator.Lines.empty());
}

class ClientCount : public MainBehaviour, public ::testing::WithParamInterface<std::pair<const char*, bool>> {};

TEST_P(ClientCount, IsReadByTheIntegerRuleUntrimmed) {
    const auto [text, accepted] = GetParam();
    AddOne();
    Edit(TControl::edtClientQty) = text;
    Main.btnGenerateClick();
    if (accepted) {
        EXPECT_TRUE(Window.Shown.empty());
        EXPECT_EQ(Global("ClientComputer"), "150");
    } else {
        ExpectOnlyMessage("请输入客户机数，必须大于零");
        EXPECT_TRUE(Main.Generator.Lines.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ClientCount,
                         ::testing::Values(std::pair{"0x96", true}, std::pair{"$96", true}, std::pair{"+150", true},
                                           std::pair{"0150", true}, std::pair{" 150", true}, std::pair{"150", true},
                                           std::pair{"150 ", false}, std::pair{"0", false}, std::pair{"-5", false},
                                           std::pair{"abc", false}, std::pair{"1.5", false},
                                           std::pair{"2147483648", false}, std::pair{"\t150", false}));

TEST_F(MainBehaviour, AddShowsRowsInOrderAndCancelLeavesNothing) {
    Add(" ether2 ", "58.61.10.2", "100", "20");
    Answers.push_back({"ether3", "x", "1", "1", false});
    Main.btnAddClick();
    Add("电信", "2.2.2.2", "$C8", "30");
    EXPECT_EQ(DialogModes, (std::vector<int>{1, 1, 1}));
    ASSERT_EQ(Main.WanList.size(), 2u);
    ASSERT_EQ(Window.Rows.size(), 2u);
    EXPECT_EQ(Window.Rows[0]->Texts, (TMainWindowPort::TRowTexts{"ether2", "58.61.10.2", "100 Mbps", "20 Mbps"}));
    EXPECT_EQ(Cell(1, 0), "电信");
    EXPECT_EQ(Cell(1, 2), "200 Mbps");
    EXPECT_EQ(Window.SelectedIndex, -1);
    // Row and line link to each other.
    EXPECT_EQ(Main.WanList[1]->ListItem, Window.Rows[1].get());
    EXPECT_EQ(Window.Rows[1]->Wan, Main.WanList[1].get());
}

TEST_F(MainBehaviour, ModifyAndDeleteNeedASelectedRow) {
    Main.btnModifyClick();
    Main.btnDeleteClick();
    EXPECT_TRUE(Window.Shown.empty()); // nothing at all on an empty list
    EXPECT_TRUE(DialogModes.empty());

    AddOne();
    Main.btnModifyClick();
    Main.btnDeleteClick();
    EXPECT_EQ(Window.MessageTexts(), (TStrings{"请选择左边要修改的WAN信息", "请选择左边要删除的WAN信息"}));
    EXPECT_TRUE(Window.AllHints());
    EXPECT_EQ(Main.WanList.size(), 1u);
    EXPECT_EQ(DialogModes.size(), 1u);
}

TEST_F(MainBehaviour, ModifyRewritesTheRowInPlace) {
    AddOne();
    Add("ether3", "3.3.3.3", "50", "10");
    Window.SelectedIndex = 0;
    Answers.push_back({"ether2", "1.1.1.1", "20", "8"});
    Main.btnModifyClick();
    EXPECT_EQ(DialogModes.back(), 2);
    ASSERT_EQ(Window.Rows.size(), 2u);
    EXPECT_EQ(Window.Rows[0]->Texts, (TMainWindowPort::TRowTexts{"ether2", "1.1.1.1", "20 Mbps", "8 Mbps"}));
    EXPECT_EQ(Cell(1, 0), "ether3");

    Answers.push_back({"gone", "x", "1", "1", false});
    Main.btnModifyClick();
    EXPECT_EQ(Cell(0, 0), "ether2");
    EXPECT_EQ(Main.WanList[0]->TxVar.AsInteger(), 20);
}

TEST_F(MainBehaviour, DeleteRenumbersTheLinesGenerateReceives) {
    AddOne();
    Add("ether3", "3.3.3.3", "50", "10");
    Main.btnGenerateClick();
    EXPECT_EQ(Global("eth1"), "\"ether3\"");
    Window.SelectedIndex = 0;
    Main.btnDeleteClick();
    ASSERT_EQ(Window.Rows.size(), 1u);
    EXPECT_EQ(Cell(0, 0), "ether3");
    EXPECT_EQ(Main.WanList.size(), 1u);
    Main.btnGenerateClick();
    EXPECT_EQ(Global("eth0"), "\"ether3\"");
    EXPECT_EQ(Global("eth1"), "");
    EXPECT_EQ(Global("PCQRateTx"), "50000000");
}

TEST_F(MainBehaviour, ScriptBoxShowsTheGeneratedScript) {
    Add("电信", "1.1.1.1", "100", "20");
    Edit(TControl::edtVelmoip) = " 10.0.0.9 ";
    Main.btnGenerateClick();
    EXPECT_EQ(Global("velmoserver"), "\"10.0.0.9\"");
    const std::string& shown = Edit(TControl::mmoScript);
    EXPECT_EQ(shown, Shown(Main.Generator.ScriptText()));
    EXPECT_TRUE(shown.starts_with("#Tarnwell服务端IP地址\r\n"));
    EXPECT_TRUE(shown.ends_with("}\r\n}\r\n#ok")); // the v6/v7 report, the last step
}

TEST_F(MainBehaviour, RouterChoiceStartsAtV6V7AndTakesEffectOnGenerate) {
    EXPECT_EQ(Window.Items[TControl::cboRouterOs], (TStrings{"RouterOS v6 / v7", "RouterOS v5"}));
    EXPECT_EQ(Window.RouterIndex, 0);
    const std::string& tip = Window.ToolTips[TControl::cboRouterOs];
    EXPECT_TRUE(tip.starts_with("RouterOS v6 / v7：")) << tip;
    EXPECT_NE(tip.find("\nRouterOS v5："), std::string::npos) << tip;

    Add("pppoe-out1", "100.64.1.2", "100", "20");
    for (const auto& [index, target] :
         {std::pair{0, TRouterOs::V6V7}, {1, TRouterOs::V5}, {-1, TRouterOs::V6V7}, {2, TRouterOs::V6V7}}) {
        Window.RouterIndex = index;
        Main.btnGenerateClick();
        TQvVorrel expected;
        expected.Target = target;
        expected.Generate("192.168.1.200", Main.WanList, "LAN", 150);
        EXPECT_EQ(Main.Generator.Lines, expected.Lines) << index;
    }
}

TEST_F(MainBehaviour, CopyPutsBothFormsAndConfirmsUntilTheTick) {
    Add("电信", "1.1.1.1", "100", "20");
    Main.btnGenerateClick();
    Main.btnCopyClick();
    const std::string script = Main.Generator.ScriptText();
    ASSERT_TRUE(Window.Clipboard);
    EXPECT_EQ(Window.Clipboard->first, script);
    EXPECT_EQ(Window.Clipboard->second, GbkToUtf8(script));
    EXPECT_TRUE(script.ends_with("#ok\r\n"));
    EXPECT_TRUE(Window.Disabled[TControl::btnCopy]);
    EXPECT_EQ(Edit(TControl::btnCopy), "已复制到剪贴板");
    EXPECT_TRUE(Window.TimerRunning);

    Main.Timer1Timer();
    EXPECT_FALSE(Window.Disabled[TControl::btnCopy]);
    EXPECT_EQ(Edit(TControl::btnCopy), "复制到剪贴板[&C]");
    EXPECT_FALSE(Window.TimerRunning);
    EXPECT_TRUE(Window.Shown.empty());
}

TEST_F(MainBehaviour, CopyBeforeGenerateCopiesAnEmptyText) {
    Main.btnCopyClick();
    EXPECT_TRUE(Window.Shown.empty());
    EXPECT_EQ(Window.Clipboard, (std::pair<std::string, std::string>{}));
    EXPECT_EQ(Edit(TControl::btnCopy), "已复制到剪贴板");
}

TEST_F(MainBehaviour, FailedGenerateKeepsTheEarlierScript) {
    AddOne();
    Main.btnGenerateClick();
    const auto lines = Main.Generator.Lines;
    const std::string shown = Edit(TControl::mmoScript);
    Edit(TControl::edtClientQty) = "0";
    Main.btnGenerateClick();
    EXPECT_EQ(Window.Shown.size(), 1u);
    EXPECT_EQ(Main.Generator.Lines, lines);
    EXPECT_EQ(Edit(TControl::mmoScript), shown);
    Main.btnCopyClick();
    EXPECT_EQ(Window.Clipboard->first, Main.Generator.ScriptText());
}

TEST_F(MainBehaviour, ClipboardFailureIsReportedAndCopyStaysNormal) {
    Window.ClipboardOpens = false;
    Main.btnCopyClick();
    EXPECT_EQ(Window.Shown, (std::vector<TMessage>{{TMessage::Error, "Qostrel", "Cannot open clipboard."}}));
    EXPECT_FALSE(Window.Disabled[TControl::btnCopy]);
    EXPECT_FALSE(Window.Texts.contains(TControl::btnCopy));
    EXPECT_FALSE(Window.TimerRunning);
}

} // namespace
