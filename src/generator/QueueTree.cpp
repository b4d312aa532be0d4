#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

// Two global roots and, per WAN line, an upload and a download subtree fed by
// the line's packet marks.

void AppendQueueTree(TScriptWriter& lines, const TQvWanList& wanLines, const TQvVariant& lanVar) {
    namespace Rsc = RouterOsSource;
    static const TEntryText roots{Rsc::QueueRootsV5}, heading{Rsc::TreeHeading}, lineTree{Rsc::QueueTreeV5}, ok{Rsc::Ok};
    AppendEntry(lines, roots, {{"{LAN}", lanVar.Name}, {"{UPROOT}", "global-out"}});
    AppendEntry(lines, heading);
    for (const auto& wan : wanLines)
        AppendEntry(lines, lineTree, {{"{W}", wan->NameVar.Name}});
    AppendEntry(lines, ok);
}
