#include "generator/Fixtures.h"
#include "generator/QvVorrel.h"

#include <gtest/gtest.h>

namespace {

// The header's entries joined as the script writes them.
std::string HeaderText(const TQvVorrel& generator, std::size_t wanCount) {
    std::string text;
    for (std::size_t i = 0; i < 5 * wanCount + 10; ++i)
        text += generator.Lines.at(i) + "\r\n";
    return text;
}

TEST(Header, TwoLinesWithTheWindowDefaults) {
    auto wans = MakeWans({{"ether2", "58.61.10.2", 100, 20}, {"pppoe-out1", "10.0.0.1", 50, 30}});
    TQvVorrel generator;
    generator.Generate("192.168.1.200", wans, "LAN", 150);
    EXPECT_EQ(HeaderText(generator, 2), Gbk("#Tarnwell服务端IP地址\r\n"
                                            ":global velmoserver \"192.168.1.200\"\r\n"
                                            "\r\n"
                                            "#eth0外网网卡\r\n"
                                            ":global eth0ip \"58.61.10.2\"\r\n"
                                            ":global eth0 \"ether2\"\r\n"
                                            ":global eth0Rx 20000000\r\n"
                                            ":global eth0Tx 100000000\r\n"
                                            "\r\n"
                                            "#eth1外网网卡\r\n"
                                            ":global eth1ip \"10.0.0.1\"\r\n"
                                            ":global eth1 \"pppoe-out1\"\r\n"
                                            ":global eth1Rx 30000000\r\n"
                                            ":global eth1Tx 50000000\r\n"
                                            "\r\n"
                                            "#内网网卡名称-固定只有一块\r\n"
                                            ":global LANeth \"LAN\"\r\n"
                                            "\r\n"
                                            "#客户机数量\r\n"
                                            ":global ClientComputer 150\r\n"
                                            "\r\n"
                                            "#PCQ 下行 取所有线路中下行最大值\r\n"
                                            ":global PCQRateTx 100000000\r\n"
                                            "\r\n"
                                            "#PCQ 上行 取所有线路中上行最大值\r\n"
                                            ":global PCQRateRx 30000000\r\n"));
}

TEST(Header, NoLinesGivesZeroRatesAndNoLineBlock) {
    TQvVorrel generator;
    generator.Generate("s", {}, "l", -3);
    EXPECT_EQ(HeaderText(generator, 0), Gbk("#Tarnwell服务端IP地址\r\n:global velmoserver \"s\"\r\n"
                                            "\r\n#内网网卡名称-固定只有一块\r\n:global LANeth \"l\"\r\n"
                                            "\r\n#客户机数量\r\n:global ClientComputer -3\r\n"
                                            "\r\n#PCQ 下行 取所有线路中下行最大值\r\n:global PCQRateTx 0000000\r\n"
                                            "\r\n#PCQ 上行 取所有线路中上行最大值\r\n:global PCQRateRx 0000000\r\n"));
}

TEST(Header, OneLineIsFifteenEntriesAndItsOwnMaxima) {
    auto wans = MakeWans({{"电信", "1.1.1.1", 7, 3}});
    TQvVorrel generator;
    generator.Generate("s", wans, "l", 1);
    EXPECT_EQ(generator.Lines.at(2), "\r\n" + Gbk("#eth0外网网卡"));
    EXPECT_EQ(generator.Lines.at(4), ":global eth0 \"\\B5\\E7\\D0\\C5\"");
    EXPECT_EQ(generator.Lines.at(12), ":global PCQRateTx 7000000");
    EXPECT_EQ(generator.Lines.at(14), ":global PCQRateRx 3000000");
    EXPECT_EQ(generator.Lines.at(15).substr(0, 2), "\r\n"); // router preparation starts after entry 15
}

TEST(Header, MaximaComeFromTheirOwnDirectionWhateverTheOrder) {
    // Upload feeds PCQRateRx, download PCQRateTx; equal values change nothing.
    auto wans = MakeWans({{"a", "1", 10, 30}, {"b", "2", 90, 30}, {"c", "3", 40, 5}});
    TQvVorrel generator;
    generator.Generate("s", wans, "l", 1);
    EXPECT_EQ(generator.RateTxVar.Name, "PCQRateTx");
    EXPECT_EQ(generator.RateTxVar.AsInteger(), 90);
    EXPECT_EQ(generator.RateRxVar.Name, "PCQRateRx");
    EXPECT_EQ(generator.RateRxVar.AsInteger(), 30);
}

TEST(Header, LinesAreRenamedByPlaceBeforeAnythingIsWritten) {
    auto wans = MakeWans({{"a", "1", 1, 1}, {"b", "2", 2, 2}});
    TQvVorrel generator;
    generator.Generate("s", wans, "l", 1);
    // The dialog renames a modified line after its interface; the next run numbers it again.
    wans[1]->Assign("ether9", "9.9.9.9", 4, 5);
    wans.erase(wans.begin());
    generator.Generate("s", wans, "l", 1);
    EXPECT_EQ(wans[0]->NameVar.Name, "eth0");
    EXPECT_EQ(wans[0]->IpVar.Name, "eth0ip");
    EXPECT_EQ(generator.Lines.at(3), ":global eth0ip \"9.9.9.9\"");
    EXPECT_EQ(generator.Lines.at(4), ":global eth0 \"ether9\"");
    EXPECT_EQ(wans[0]->Lines.at(3), ":global eth0Tx 5000000");
}

TEST(Header, GeneratingTwiceGivesTheSameScriptNotADoubledOne) {
    auto wans = MakeWans({{"a", "1", 1, 1}, {"b", "2", 2, 2}});
    TQvVorrel generator;
    EXPECT_TRUE(generator.Lines.empty());
    generator.Generate("s", wans, "l", 1);
    const auto first = generator.Lines;
    generator.Generate("s", wans, "l", 1);
    EXPECT_EQ(generator.Lines, first);
}

} // namespace
