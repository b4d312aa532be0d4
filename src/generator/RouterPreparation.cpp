#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

#include <algorithm>

// Clears what an earlier import left, fills the address lists, forwards the
// management ports, and backs up and clears the old shaping before it is rebuilt.

namespace {

namespace Rsc = RouterOsSource;

// Qostrel's shaping removed, whatever version made it: its mangle rules,
// routes and tables, queue tree and queue types. The same code serves the
// import's clearing, as the console reads it, and Qostrel_Remove, as the
// router stores it.
std::string Clearing(TTextKind kind) {
    const TNameFill fills[] = {{"{CHAINS}", kOwnChains}, {"{MARKS}", kOwnConnectionMarks}};
    std::string clearing;
    for (const std::string_view piece : {Rsc::ClearingMangle, Rsc::ClearingTree, Rsc::ClearingTypes}) {
        if (!clearing.empty())
            clearing += "\r\n";
        TEntryText(piece, kind).AppendTo(clearing, fills);
    }
    return clearing;
}

// Qostrel_Remove's code: what the router holds, the clearing, Qostrel's lists,
// forwards, schedulers and scripts, what an import changed given back, and
// the report. Only the forwards' names follow a fill, the server global's, as
// the import's cleanup removes them: the rest is converted once.
std::string RemoveSource(std::string_view serverName) {
    static const std::string before = TEntryText(Rsc::RemoveHead, TTextKind::Code).Fill() + "\r\n" +
                                      Clearing(TTextKind::Code) + "\r\n",
                             after = TEntryText(Rsc::RemoveNamed, TTextKind::Code).Fill() + "\r\n" +
                                     TEntryText(Rsc::RemoveGiveback, TTextKind::Code).Fill({{"{TAG}", kFastTrackTag}}) +
                                     "\r\n" + TEntryText(Rsc::RemoveReport, TTextKind::Code).Fill();
    static const TEntryText cleanup{Rsc::Cleanup, TTextKind::Code};
    return StoredCode(before + cleanup.Fill({{"{SERVER}", serverName}}) + "\r\n" + after);
}

// The entries that depend on the target alone, filled once per target.
struct TTargetEntries {
    std::string OnlineCounter, Backup, Clearing, Follower;
};

TTargetEntries MakeEntries(TRouterOs target) {
    static const TEntryText onlineCounter{Rsc::OnlineCounter}, backup{Rsc::Backup}, clearingCheck{Rsc::ClearingCheck},
        countsBefore{Rsc::CountsBefore}, follower{Rsc::Follower};
    TTargetEntries entries;
    if (target == TRouterOs::V5) {
        entries.OnlineCounter = onlineCounter.Fill({{"{STARTDATE}", "start-date=jan/01/1970 "}});
        entries.Backup = TEntryText(Rsc::BackupV5).Fill();
        entries.Clearing = TEntryText(Rsc::ClearingV5).Fill();
        return entries;
    }
    // The router's own date of today, in the form it prints dates: some
    // releases never run a scheduler left with the default start date.
    entries.OnlineCounter = onlineCounter.Fill({{"{STARTDATE}", "start-date=$QvToday "}});
    entries.Backup = backup.Fill({{"{SOURCE}", StoredSource(Rsc::BackupSource)}});
    entries.Follower = follower.Fill({{"{SOURCE}", StoredSource(Rsc::FollowerSource)}});
    // The import goes on only once nothing of Qostrel's shaping is left.
    entries.Clearing = Clearing(TTextKind::Console) + "\r\n" + clearingCheck.Fill() + "\r\n" + countsBefore.Fill();
    return entries;
}

const TTargetEntries& EntriesFor(TRouterOs target) {
    static const TTargetEntries entries[] = {MakeEntries(TRouterOs::V5), MakeEntries(TRouterOs::V6V7)};
    return entries[static_cast<std::size_t>(target)];
}

} // namespace

void AppendRouterPreparation(TScriptWriter& lines, TScriptSteps& steps, const TQvVariant& serverVar,
                             const TQvWanList& wanLines, TRouterOs target) {
    static const TEntryText cleanupV5{Rsc::CleanupV5}, cleanup{Rsc::Cleanup}, serverList{Rsc::ServerList},
        wanListHeading{Rsc::WanListHeading}, wanAddress{Rsc::WanAddress}, portForwards{Rsc::PortForwards},
        winboxV5{Rsc::WinboxV5}, winbox{Rsc::Winbox}, followerStop{Rsc::FollowerStop},
        followerLines{Rsc::FollowerLines}, followerHead{Rsc::FollowerHead}, followerLine{Rsc::FollowerLine},
        removeInstall{Rsc::RemoveInstall};
    const TNameFill server{"{SERVER}", serverVar.Name};
    // The addresses of the lines [first, last) for Network, after its menu.
    const auto wanAddresses = [&](std::size_t first, std::size_t last) {
        AppendEntry(lines, wanListHeading);
        for (std::size_t i = first; i < last; ++i) {
            steps.Declare({wanLines[i]->IpVar.Name});
            AppendEntry(lines, wanAddress, {{"{W}", wanLines[i]->NameVar.Name}});
        }
    };
    const bool v5 = target == TRouterOs::V5;
    // The first change: the way back, so that a run that stops from here on
    // can be undone too.
    if (!v5) {
        steps.Begin(lines, TStepKind::Remove);
        AppendEntry(lines, removeInstall, {{"{SOURCE}", RemoveSource(serverVar.Name)}});
    }
    steps.Begin(lines, TStepKind::Preparation, {serverVar.Name});
    if (!v5)
        AppendEntry(lines, followerStop);
    AppendEntry(lines, v5 ? cleanupV5 : cleanup, {server});
    AppendEntry(lines, serverList, {server});
    if (v5)
        wanAddresses(0, wanLines.size()); // in the order it was always written
    AppendEntry(lines, portForwards, {server});
    AppendEntry(lines, v5 ? winboxV5 : winbox);
    const TTargetEntries& entries = EntriesFor(target);
    lines.Append(entries.OnlineCounter);
    lines.Append(entries.Backup);
    if (steps.Enabled) {
        // The WAN addresses come last, and the follower's comment is built in
        // a helper global: both take steps of up to 32 lines, which name their
        // menu again, so that no step grows with the number of lines.
        for (std::size_t first = 0; first < wanLines.size(); first += 32) {
            steps.Begin(lines, TStepKind::Preparation);
            wanAddresses(first, std::min(first + 32, wanLines.size()));
        }
        for (std::size_t first = 0; first == 0 || first < wanLines.size(); first += 32) {
            steps.Begin(lines, TStepKind::Follower);
            AppendEntry(lines, followerLines);
            if (first == 0)
                AppendEntry(lines, followerHead);
            for (std::size_t i = first; i < std::min(first + 32, wanLines.size()); ++i) {
                steps.Declare({wanLines[i]->NameVar.Name});
                AppendEntry(lines, followerLine, {{"{W}", wanLines[i]->NameVar.Name}});
            }
        }
        lines.Append(entries.Follower);
    }
    steps.Begin(lines, TStepKind::Clearing);
    lines.Append(entries.Clearing);
}
