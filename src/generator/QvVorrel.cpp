#include "generator/QvVorrel.h"

#include "generator/RouterOsSources.h"
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
        {
            TScriptWriter sections(entries);
            if (Target == TRouterOs::V5) {
                AppendRouterPreparation(sections, ServerVar, wanLines);
                AppendPcqTypes(sections, RateRxVar, RateTxVar, ClientVar);
                AppendMangleRules(sections, wanLines, LanVar);
                AppendQueueTree(sections, wanLines, LanVar);
            } else {
                AppendSteps(sections, {ServerVar.Name, LanVar.Name, ClientVar.Name, RateRxVar.Name, RateTxVar.Name},
                            wanLines.size());
            }
        }
        Sections = {Target, wanLines.size(), std::move(entries)};
    }
    for (const auto& entry : Sections.Entries)
        lines.Append(entry);
}

void TQvVorrel::AppendHeader(TScriptWriter& lines, const std::string& serverIp, const TQvWanList& wanLines,
                             const std::string& lanName, std::int32_t clientCount) {
    namespace Rsc = RouterOsSource;
    static const TEntryText serverComment{Rsc::HeaderServer}, wanComment{Rsc::HeaderLine}, lanComment{Rsc::HeaderLan},
        clientComment{Rsc::HeaderClients}, downloadComment{Rsc::HeaderDownload}, uploadComment{Rsc::HeaderUpload};
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
