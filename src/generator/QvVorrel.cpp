#include "generator/QvVorrel.h"

#include "generator/Sections.h"

#include <algorithm>

void TQvVorrel::Generate(const std::string& serverIp, const TQvWanList& wanLines, const std::string& lanName,
                         std::int32_t clientCount) {
    // Every section, the header included, must see the lines' eth names.
    for (std::size_t i = 0; i < wanLines.size(); ++i)
        wanLines[i]->SetVarNames("eth" + std::to_string(i));
    Lines.clear();
    AppendHeader(serverIp, wanLines, lanName, clientCount);
    AppendRouterPreparation(Lines, ServerVar, wanLines, Target);
    AppendPcqTypes(Lines, RateRxVar, RateTxVar, ClientVar);
    AppendMangleRules(Lines, wanLines, LanVar);
    AppendQueueTree(Lines, wanLines, LanVar, Target);
}

void TQvVorrel::AppendHeader(const std::string& serverIp, const TQvWanList& wanLines, const std::string& lanName,
                             std::int32_t clientCount) {
    static const TEntryText serverComment{"#Tarnwell服务端IP地址"}, wanComment{"\n#{W}外网网卡"},
        lanComment{"\n#内网网卡名称-固定只有一块"}, clientComment{"\n#客户机数量"},
        downloadComment{"\n#PCQ 下行 取所有线路中下行最大值"}, uploadComment{"\n#PCQ 上行 取所有线路中上行最大值"};
    AppendEntry(Lines, serverComment);
    ServerVar.Name = "velmoserver";
    ServerVar.Value = serverIp;
    Lines.push_back(ServerVar.RenderGlobal());

    std::int32_t maxUpload = 0;
    std::int32_t maxDownload = 0;
    for (const auto& wan : wanLines) {
        wan->RenderLines();
        AppendEntry(Lines, wanComment, {{"{W}", wan->NameVar.Name}});
        Lines.insert(Lines.end(), wan->Lines.begin(), wan->Lines.end());
        maxUpload = std::max(maxUpload, wan->RxVar.AsInteger());
        maxDownload = std::max(maxDownload, wan->TxVar.AsInteger());
    }

    AppendEntry(Lines, lanComment);
    LanVar.Name = "LANeth";
    LanVar.Value = lanName;
    Lines.push_back(LanVar.RenderGlobal());

    AppendEntry(Lines, clientComment);
    ClientVar.Name = "ClientComputer";
    ClientVar.Value = clientCount;
    Lines.push_back(ClientVar.RenderGlobal());

    RateRxVar.Name = "PCQRateRx";
    RateRxVar.Value = maxUpload;
    RateTxVar.Name = "PCQRateTx";
    RateTxVar.Value = maxDownload;
    // Tx is download and Rx upload, here as everywhere.
    AppendEntry(Lines, downloadComment);
    Lines.push_back(RateTxVar.RenderGlobalMbps());
    AppendEntry(Lines, uploadComment);
    Lines.push_back(RateRxVar.RenderGlobalMbps());
}

std::string TQvVorrel::ScriptText() const {
    std::size_t size = 0;
    for (const auto& entry : Lines)
        size += entry.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& entry : Lines) {
        text += entry;
        text += "\r\n";
    }
    return text;
}
