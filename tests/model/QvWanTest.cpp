#include "model/QvWan.h"

#include <gtest/gtest.h>

namespace {

TEST(QvWan, AssignNamesTheVariablesAfterTheInterfaceAndKeepsDirections) {
    TQvWan wan;
    wan.Assign("ether2", "58.61.10.2", 20, 100);
    wan.RenderLines();
    EXPECT_EQ(wan.Lines, (std::vector<std::string>{":global ether2ip \"58.61.10.2\"", ":global ether2 \"ether2\"",
                                                   ":global ether2Rx 20000000", ":global ether2Tx 100000000"}));
}

TEST(QvWan, SetVarNamesRenamesButKeepsValuesUntilTheNextRendering) {
    TQvWan wan;
    wan.Assign("ether2", "1.2.3.4", 20, 100);
    wan.RenderLines();
    wan.SetVarNames("eth0");
    EXPECT_EQ(wan.NameVar.Name, "eth0");
    EXPECT_EQ(wan.NameVar.AsText(), "ether2");
    EXPECT_EQ(wan.Lines[1], ":global ether2 \"ether2\"");
    wan.RenderLines();
    wan.RenderLines();
    EXPECT_EQ(wan.Lines, (std::vector<std::string>{":global eth0ip \"1.2.3.4\"", ":global eth0 \"ether2\"",
                                                   ":global eth0Rx 20000000", ":global eth0Tx 100000000"}));

    wan.SetVarNames("");
    EXPECT_EQ(wan.IpVar.Name, "ip");
    EXPECT_EQ(wan.NameVar.Name, "");
    EXPECT_EQ(wan.RxVar.Name, "Rx");
    EXPECT_EQ(wan.TxVar.Name, "Tx");
}

TEST(QvWan, AssignLeavesTheRowLinkAndRenderedLinesAlone) {
    TQvWan wan;
    auto* row = reinterpret_cast<TWanListItem*>(&wan); // any address; never dereferenced
    wan.ListItem = row;
    wan.Assign("a", "b", 1, 2);
    wan.RenderLines();
    wan.Assign("c", "d", 3, 4);
    EXPECT_EQ(wan.ListItem, row);
    EXPECT_EQ(wan.Lines[1], ":global a \"a\"");
}

} // namespace
