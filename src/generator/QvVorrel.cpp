#include "generator/QvVorrel.h"

#include "generator/Sections.h"

#include <algorithm>

void TQvVorrel::Generate(const std::string& serverIp, const TQvWanList& wanLines, const std::string& lanName,
                         std::int32_t clientCount) {
    // Every section, the header included, must see the lines' eth names.
    for (std::size_t i = 0; i < wanLines.size(); ++i)
        wanLines[i]->SetVarNames("eth" + std::to_string(i));
    TScriptWriter lines(Lines);
    AppendHeader(lines, serverIp, wanLines, lanName, clientCount);
    if (Sections.Entries.empty() || Sections.Target != Target || Sections.LineCount != wanLines.size()) {
        std::vector<std::string> entries;
        TScriptSteps steps(Target);
        {
            TScriptWriter sections(entries);
            AppendRouterCheck(sections, steps, ServerVar, wanLines, LanVar, Target);
            AppendRouterPreparation(sections, steps, ServerVar, wanLines, Target);
            AppendPcqTypes(sections, steps, RateRxVar, RateTxVar, ClientVar);
            AppendMangleRules(sections, steps, wanLines, LanVar, Target);
            AppendQueueTree(sections, steps, wanLines, LanVar, Target);
        }
        steps.Wrap(entries);
        // The v6/v7 program reads as its sources do, its long strings in
        // export layout; the v5 text stays byte for byte.
        if (Target != TRouterOs::V5)
            for (std::string& entry : entries)
                WrapLongLines(entry);
        Sections = {Target, wanLines.size(), std::move(entries)};
    }
    for (const auto& entry : Sections.Entries)
        lines.Append(entry);
}

void TQvVorrel::AppendHeader(TScriptWriter& lines, const std::string& serverIp, const TQvWanList& wanLines,
                             const std::string& lanName, std::int32_t clientCount) {
    static const TEntryText serverComment{"#Tarnwell服务端IP地址"}, wanComment{"\n#{W}外网网卡"},
        lanComment{"\n#内网网卡名称-固定只有一块"}, clientComment{"\n#客户机数量"},
        downloadComment{"\n#PCQ 下行 取所有线路中下行最大值"}, uploadComment{"\n#PCQ 上行 取所有线路中上行最大值"};
    AppendEntry(lines, serverComment);
    ServerVar.Name = "velmoserver";
    ServerVar.Value = serverIp;
    lines.Append(ServerVar.RenderGlobal());

    std::int32_t maxUpload = 0;
    std::int32_t maxDownload = 0;
    for (const auto& wan : wanLines) {
        wan->RenderLines();
        AppendEntry(lines, wanComment, {{"{W}", wan->NameVar.Name}});
        for (const auto& global : wan->Lines)
            lines.Append(global);
        maxUpload = std::max(maxUpload, wan->RxVar.AsInteger());
        maxDownload = std::max(maxDownload, wan->TxVar.AsInteger());
    }

    AppendEntry(lines, lanComment);
    LanVar.Name = "LANeth";
    LanVar.Value = lanName;
    lines.Append(LanVar.RenderGlobal());

    AppendEntry(lines, clientComment);
    ClientVar.Name = "ClientComputer";
    ClientVar.Value = clientCount;
    lines.Append(ClientVar.RenderGlobal());

    RateRxVar.Name = "PCQRateRx";
    RateRxVar.Value = maxUpload;
    RateTxVar.Name = "PCQRateTx";
    RateTxVar.Value = maxDownload;
    // Tx is download and Rx upload, here as everywhere.
    AppendEntry(lines, downloadComment);
    lines.Append(RateTxVar.RenderGlobalMbps());
    AppendEntry(lines, uploadComment);
    lines.Append(RateRxVar.RenderGlobalMbps());
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
