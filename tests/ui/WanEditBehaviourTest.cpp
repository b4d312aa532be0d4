#include "FakeWindows.h"
#include "model/GbkCodec.h"

#include <gtest/gtest.h>

namespace {

using TStrings = std::vector<std::string>;

class WanEditBehaviour : public ::testing::Test {
protected:
    TFakeWanEdit Window;
    TWanEditBehaviour Dialog{Window};
    TQvWanList Lines;
    TQvWan NewLine;

    WanEditBehaviour() {
        for (const auto& [name, ip, up, down] :
             {std::tuple{"ether2", "1.1.1.1", 20, 100}, {"电信", "2.2.2.2", 30, 200}}) {
            Lines.push_back(std::make_unique<TQvWan>());
            Lines.back()->Assign(FixedGbk(name), ip, up, down);
        }
    }

    void Open(TQvWan& wan, int mode) {
        Dialog.SetWan(wan);
        Dialog.WanList = &Lines;
        Dialog.EditMode = mode;
    }

    std::string& Edit(TControl edit) { return Window.Texts[edit]; }

    void Fill(const std::string& name, const std::string& ip, const std::string& tx, const std::string& rx) {
        Edit(TControl::edtName) = name;
        Edit(TControl::edtIP) = ip;
        Edit(TControl::edtTx) = tx;
        Edit(TControl::edtRx) = rx;
    }

    void Save() {
        Window.Shown.clear();
        Window.Focused.reset();
        Dialog.btnSaveClick();
    }

    // The one message of a refused Save and where the focus went; the dialog stays open.
    void ExpectRefused(const std::string& message, TControl focus) {
        EXPECT_EQ(Window.MessageTexts(), TStrings{message});
        EXPECT_TRUE(Window.AllHints());
        EXPECT_EQ(Window.Focused, focus);
        EXPECT_EQ(Window.Result, mrNone);
    }
};

TEST_F(WanEditBehaviour, NewLineComesUpEmptyAndSavingAtOnceAsksForTheName) {
    Open(NewLine, kAddMode);
    for (const TControl edit : {TControl::edtName, TControl::edtIP, TControl::edtTx, TControl::edtRx})
        EXPECT_EQ(Window.Texts.at(edit), "");
    Save();
    ExpectRefused("请输入网卡名称", TControl::edtName);
}

TEST_F(WanEditBehaviour, BlankNameOrIpIsEmptiedAndRefused) {
    Open(NewLine, kAddMode);
    Fill(" \t ", "1.1.1.1", "1", "1");
    Save();
    ExpectRefused("请输入网卡名称", TControl::edtName);
    EXPECT_EQ(Edit(TControl::edtName), "");

    Fill("ether5", "   ", "1", "1");
    Save();
    ExpectRefused("请输入网卡IP", TControl::edtIP);
    EXPECT_EQ(Edit(TControl::edtIP), "");
    EXPECT_EQ(NewLine.NameVar.AsText(), "");
}

struct TBandwidthCase {
    const char* Tx;
    const char* Rx;
    const char* Message;
    TControl Focus;
};

// Names each case by its texts, not as raw bytes.
void PrintTo(const TBandwidthCase& check, std::ostream* out) {
    *out << "Tx \"" << check.Tx << "\", Rx \"" << check.Rx << '"';
}

class BandwidthCheck : public WanEditBehaviour, public ::testing::WithParamInterface<TBandwidthCase> {};

TEST_P(BandwidthCheck, RefusesWithTheFirstFailedMessage) {
    const TBandwidthCase& check = GetParam();
    Open(NewLine, kAddMode);
    Fill("ether2", "9.9.9.9", check.Tx, check.Rx); // a duplicate name, checked last
    Save();
    ExpectRefused(check.Message, check.Focus);
    EXPECT_EQ(Edit(TControl::edtTx), check.Tx);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(NewLine.TxVar.Value));
}

constexpr const char* kBadTx = "请输入正确的下载带宽";
constexpr const char* kLowTx = "下载带宽必须大于零";
INSTANTIATE_TEST_SUITE_P(Texts, BandwidthCheck,
                         ::testing::Values(TBandwidthCase{"", "20", kBadTx, TControl::edtTx},
                                           TBandwidthCase{"100M", "20", kBadTx, TControl::edtTx},
                                           TBandwidthCase{"1.5", "20", kBadTx, TControl::edtTx},
                                           TBandwidthCase{"0", "20", kLowTx, TControl::edtTx},
                                           TBandwidthCase{"-100", "20", kLowTx, TControl::edtTx},
                                           TBandwidthCase{"$FFFFFFFF", "20", kLowTx, TControl::edtTx},
                                           TBandwidthCase{"x", "y", kBadTx, TControl::edtTx},
                                           TBandwidthCase{"100", "20 Mbps", "请输入正确的上传带宽", TControl::edtRx},
                                           TBandwidthCase{"100", "0", "上传带宽必须大于零", TControl::edtRx},
                                           TBandwidthCase{"100", "2147483648", "请输入正确的上传带宽",
                                                          TControl::edtRx}));

TEST_F(WanEditBehaviour, SaveStoresTrimmedValuesInTheirDirections) {
    Open(NewLine, kAddMode);
    Fill("  联通 \t", " 10.0.0.1 ", " 100 ", "0x14");
    Save();
    EXPECT_TRUE(Window.Shown.empty());
    EXPECT_EQ(Window.Result, mrOk);
    EXPECT_EQ(NewLine.NameVar.AsText(), FixedGbk("联通"));
    EXPECT_EQ(NewLine.IpVar.AsText(), "10.0.0.1");
    EXPECT_EQ(NewLine.TxVar.AsInteger(), 100);
    EXPECT_EQ(NewLine.RxVar.AsInteger(), 20);
    EXPECT_EQ(Edit(TControl::edtName), "  联通 \t"); // the edit keeps what was typed
}

TEST_F(WanEditBehaviour, DuplicateNamesAreComparedByteForByte) {
    Open(NewLine, kAddMode);
    Fill(" 电信 ", "1", "1", "1");
    Save();
    ExpectRefused("网卡名称已存在，请重新输入", TControl::edtName);

    Fill("ETHER2", "1", "1", "1");
    Save();
    EXPECT_TRUE(Window.Shown.empty());
    EXPECT_EQ(Window.Result, mrOk);
}

TEST_F(WanEditBehaviour, ModifyMayKeepItsOwnNameButNotTakeAnothers) {
    TQvWan& first = *Lines.front();
    Open(first, kModifyMode);
    EXPECT_EQ(Edit(TControl::edtTx), "100");
    EXPECT_EQ(Edit(TControl::edtRx), "20");
    Edit(TControl::edtName) = "电信";
    Save();
    ExpectRefused("网卡名称已存在，请重新输入", TControl::edtName);
    EXPECT_EQ(first.NameVar.AsText(), "ether2");

    Edit(TControl::edtName) = "ether2";
    Edit(TControl::edtTx) = "300";
    Save();
    EXPECT_TRUE(Window.Shown.empty());
    EXPECT_EQ(first.TxVar.AsInteger(), 300);
}

TEST_F(WanEditBehaviour, TextWithoutAGbkFormIsRefusedNotMangled) {
    Open(NewLine, kAddMode);
    Fill("wan😀", "1", "1", "1");
    Save();
    ExpectRefused("网卡名称含有GBK无法表示的字符", TControl::edtName);

    Fill("wan", "1.1.1.1ÿ", "1", "1");
    Save();
    ExpectRefused("网卡IP含有GBK无法表示的字符", TControl::edtIP);

    // Pasted broken text: a lone surrogate arrives as U+FFFD, and a U+FEFF,
    // leading or alone, must not vanish.
    for (const char* name : {"wan\uFFFD", "\uFFFDwan", "\uFEFF", "\uFEFFwan", " \uFEFF"}) {
        Fill(name, "1", "1", "1");
        Save();
        ExpectRefused("网卡名称含有GBK无法表示的字符", TControl::edtName);
    }
    EXPECT_TRUE(NewLine.NameVar.Name.empty()); // never assigned
}

TEST_F(WanEditBehaviour, CancelLeavesTheLineUntouched) {
    TQvWan& first = *Lines.front();
    Open(first, kModifyMode);
    Fill("changed", "x", "5", "5");
    Dialog.btnCancelClick();
    EXPECT_EQ(Window.Result, mrCancel);
    EXPECT_EQ(first.NameVar.AsText(), "ether2");
    EXPECT_EQ(first.TxVar.AsInteger(), 100);
    EXPECT_TRUE(Window.Shown.empty());
}

} // namespace
