#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

#include <algorithm>

// Clears what an earlier import left, fills the address lists, forwards the
// management ports, and backs up and clears the old shaping before it is rebuilt.

namespace {

namespace Rsc = RouterOsSource;

// The entries that depend on the target alone, filled once per target.
struct TTargetEntries {
    std::string OnlineCounter, Backup, Clearing, Follower;
};

TTargetEntries MakeEntries(TRouterOs target) {
    static const TEntryText onlineCounter{Rsc::OnlineCounter}, backup{Rsc::Backup}, clearingMangle{Rsc::ClearingMangle},
        clearingTree{Rsc::ClearingTree}, clearingTypes{Rsc::ClearingTypes}, countsBefore{Rsc::CountsBefore},
        follower{Rsc::Follower};
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
    entries.Clearing = clearingMangle.Fill({{"{CHAINS}", kOwnChains}, {"{MARKS}", kOwnConnectionMarks}}) + "\r\n" +
                       clearingTree.Fill() + "\r\n" + clearingTypes.Fill() + "\r\n" + countsBefore.Fill();
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
        followerLines{Rsc::FollowerLines}, followerHead{Rsc::FollowerHead}, followerLine{Rsc::FollowerLine};
    const TNameFill server{"{SERVER}", serverVar.Name};
    // The addresses of the lines [first, last) for Network, after its menu.
    const auto wanAddresses = [&](std::size_t first, std::size_t last) {
        AppendEntry(lines, wanListHeading);
        for (std::size_t i = first; i < last; ++i) {
            steps.Declare({wanLines[i]->IpVar.Name});
            AppendEntry(lines, wanAddress, {{"{W}", wanLines[i]->NameVar.Name}});
        }
    };
    steps.Begin(lines, TStepKind::Preparation, {serverVar.Name});
    const bool v5 = target == TRouterOs::V5;
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
