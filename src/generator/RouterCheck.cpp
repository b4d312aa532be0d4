#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

// The first steps of the v6 and v7 scripts check what the operator typed
// against the router: a wrong value stops the script before it changes
// anything. Each step sees the header's globals only once it declares them.

void AppendRouterCheck(TScriptWriter& lines, TScriptSteps& steps, const TQvVariant& serverVar,
                       const TQvWanList& wanLines, const TQvVariant& lanVar, TRouterOs target) {
    if (target == TRouterOs::V5)
        return;
    namespace Rsc = RouterOsSource;
    static const TEntryText releaseCheck{Rsc::ReleaseCheck}, lanCheck{Rsc::LanCheck}, ownRules{Rsc::OwnRules},
        lineChecks{Rsc::LineChecks}, lineCheck{Rsc::LineCheck}, defaultRoutes{Rsc::DefaultRoutes},
        connectionMarks{Rsc::ConnectionMarks}, waysOut{Rsc::WaysOut}, routeCode{Rsc::RouteCode};
    static const std::string routeV6 = StoredSource(Rsc::RouteV6), routeV7 = StoredSource(Rsc::RouteV7);
    // The chain's counter, set right after the header on every run.
    lines.Append(":global QvStep 0");
    // The first step reads only what v5 reads as well: on a v5 router it stops
    // with its own message, naming the choice.
    steps.Begin(lines, TStepKind::Checks, {serverVar.Name});
    AppendEntry(lines, releaseCheck, {{"{SERVER}", serverVar.Name}});
    // The LAN check catches errors, which v5 cannot read: a step of its own,
    // with the check of the operator's own rules.
    steps.Begin(lines, TStepKind::Config, {lanVar.Name});
    AppendEntry(lines, lanCheck, {{"{LAN}", lanVar.Name}});
    AppendEntry(lines, ownRules, {{"{MARKS}", kOwnConnectionMarks}});
    // Up to 8 lines a step, each in a block of its own for its locals.
    for (std::size_t i = 0; i < wanLines.size(); ++i) {
        if (i % 8 == 0) {
            steps.Begin(lines, TStepKind::LineCheck);
            AppendEntry(lines, lineChecks);
        }
        const TQvWan& wan = *wanLines[i];
        steps.Declare({wan.IpVar.Name, wan.NameVar.Name, wan.RxVar.Name, wan.TxVar.Name});
        AppendEntry(lines, lineCheck, {{"{W}", wan.NameVar.Name}});
    }
    // Once every line is known: the operator's connection marks and each
    // line's way out.
    steps.Begin(lines, TStepKind::Routes);
    AppendEntry(lines, defaultRoutes);
    AppendEntry(lines, connectionMarks, {{"{CHAINS}", kOwnChains}});
    AppendEntry(lines, waysOut);
    AppendEntry(lines, routeCode, {{"{ROUTESIX}", routeV6}, {"{ROUTESEVEN}", routeV7}});
}
