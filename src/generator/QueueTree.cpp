#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

// Two global roots and, per WAN line, an upload and a download subtree fed by
// the line's packet marks.

void AppendQueueTree(TScriptWriter& lines, TScriptSteps& steps, const TQvWanList& wanLines, const TQvVariant& lanVar,
                     TRouterOs target) {
    static const TEntryText roots{RouterOsSource::QueueRoots}, below{"#以下"}, lineTree{RouterOsSource::QueueTree},
        ok{"#ok"};
    // v6 renamed the upload root's parent and refuses global-out.
    const std::string_view uploadRoot = target == TRouterOs::V5 ? "global-out" : "global";
    steps.Begin(lines, TStepKind::Roots, {lanVar.Name});
    AppendEntry(lines, roots, {{"{LAN}", lanVar.Name}, {"{UPROOT}", uploadRoot}});
    AppendEntry(lines, below);
    for (const auto& wan : wanLines) {
        steps.Begin(lines, TStepKind::Tree, {wan->NameVar.Name, wan->TxVar.Name, wan->RxVar.Name});
        AppendEntry(lines, lineTree, {{"{W}", wan->NameVar.Name}});
    }
    if (steps.Enabled) {
        steps.End(lines);
        AppendReport(lines, steps, wanLines.size());
    }
    AppendEntry(lines, ok);
}
