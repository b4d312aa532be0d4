#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

// The v5 script's preparation: clears what an earlier import left, fills the
// address lists, forwards the management ports, and backs up and clears the
// old shaping before it is rebuilt.

void AppendRouterPreparation(TScriptWriter& lines, const TQvVariant& serverVar, const TQvWanList& wanLines) {
    namespace Rsc = RouterOsSource;
    static const TEntryText cleanup{Rsc::CleanupV5}, serverList{Rsc::ServerListV5}, wanListHeading{Rsc::WanListHeading},
        wanAddress{Rsc::WanAddressV5}, portForwards{Rsc::PortForwardsV5}, winbox{Rsc::WinboxV5},
        onlineCounter{Rsc::OnlineCounterV5}, backup{Rsc::BackupV5}, clearing{Rsc::ClearingV5};
    const TNameFill server{"{SERVER}", serverVar.Name};
    AppendEntry(lines, cleanup, {server});
    AppendEntry(lines, serverList, {server});
    AppendEntry(lines, wanListHeading);
    for (const auto& wan : wanLines)
        AppendEntry(lines, wanAddress, {{"{W}", wan->NameVar.Name}});
    AppendEntry(lines, portForwards, {server});
    AppendEntry(lines, winbox);
    AppendEntry(lines, onlineCounter, {{"{TODAY}", "jan/01/1970"}});
    AppendEntry(lines, backup);
    AppendEntry(lines, clearing);
}
