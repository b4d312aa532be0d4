#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

// Sorts each WAN line's traffic into groups and packet marks. Every marking rule
// ends its chain, so the order of the rules decides which mark a packet gets.

void AppendMangleRules(TScriptWriter& lines, TScriptSteps& steps, const TQvWanList& wanLines, const TQvVariant& lanVar,
                       TRouterOs target) {
    namespace Rsc = RouterOsSource;
    static const TEntryText fastTrack{Rsc::Fasttrack}, onlineRule{Rsc::OnlineRule}, jumpHeading{Rsc::JumpHeading},
        jumps{Rsc::Jumps}, markingHeading{Rsc::MarkingHeading}, markingMenu{"\n/ip firewall mangle"},
        lineChains{Rsc::LineChains}, markingFirst{Rsc::MarkingFirst}, markingClassesV5{Rsc::MarkingClassesV5},
        markingClasses{Rsc::MarkingClasses}, lineRoutes{Rsc::LineRoutes}, routing{Rsc::Routing};
    const bool v5 = target == TRouterOs::V5;
    steps.Begin(lines, TStepKind::FastTrack, {lanVar.Name});
    if (!v5)
        AppendEntry(lines, fastTrack, {{"{TAG}", kFastTrackTag}});
    AppendEntry(lines, onlineRule, {{"{LAN}", lanVar.Name}});
    AppendEntry(lines, jumpHeading);
    // All jumps first, then all marking blocks: the list is walked twice. In
    // the v6/v7 script a step takes the jumps of up to 32 lines, and names its
    // menu again.
    for (std::size_t i = 0; i < wanLines.size(); ++i) {
        if (steps.Enabled && i % 32 == 0) {
            steps.Begin(lines, TStepKind::Jumps);
            lines.Append("/ip firewall mangle");
        }
        steps.Declare({wanLines[i]->NameVar.Name});
        AppendEntry(lines, jumps, {{"{W}", wanLines[i]->NameVar.Name}});
    }
    AppendEntry(lines, markingHeading);
    // One entry a line, in parts. v5 marks packets in postrouting and
    // prerouting; from v6 on in the line's own chains, which line-chains.rsc
    // names in locals.
    for (std::size_t i = 0; i < wanLines.size(); ++i) {
        const TQvWan& wan = *wanLines[i];
        steps.Begin(lines, TStepKind::Marking, {wan.NameVar.Name});
        const std::string index = std::to_string(i), eth = "eth" + index;
        const TNameFill fills[] = {{"{W}", wan.NameVar.Name},
                                   {"{UP}", v5 ? "postrouting" : "$QvUp"},
                                   {"{DOWN}", v5 ? "prerouting" : "$QvDown"},
                                   {"{INDEX}", index},
                                   {"{ETH}", eth},
                                   {"{MARKS}", kLineMarks}};
        std::string& entry = lines.Next();
        entry.clear();
        markingMenu.AppendTo(entry, fills);
        if (v5) {
            markingFirst.AppendTo(entry, fills);
            markingClassesV5.AppendTo(entry, fills);
            continue;
        }
        entry += "\r\n";
        lineChains.AppendTo(entry, fills);
        markingFirst.AppendTo(entry, fills);
        entry += "\r\n";
        markingClasses.AppendTo(entry, fills);
        entry += "\r\n";
        lineRoutes.AppendTo(entry, fills);
    }
    if (steps.Enabled) {
        steps.Begin(lines, TStepKind::Routing, {lanVar.Name});
        AppendEntry(lines, routing, {{"{LAN}", lanVar.Name}, {"{MARKS}", kLineMarks}});
    }
}
