#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

// Sorts each WAN line's traffic into groups and packet marks. Every marking rule
// ends its chain, so the order of the rules decides which mark a packet gets.

void AppendMangleRules(TScriptWriter& lines, const TQvWanList& wanLines, const TQvVariant& lanVar) {
    namespace Rsc = RouterOsSource;
    static const TEntryText onlineRule{Rsc::OnlineRuleV5}, jumpHeading{Rsc::JumpHeading}, jumps{Rsc::JumpsV5},
        markingHeading{Rsc::MarkingHeading}, markingMenu{Rsc::MarkingMenuV5}, markingFirst{Rsc::MarkingFirstV5},
        markingClasses{Rsc::MarkingClassesV5};
    AppendEntry(lines, onlineRule, {{"{LAN}", lanVar.Name}});
    AppendEntry(lines, jumpHeading);
    // All jumps first, then all marking blocks: the list is walked twice.
    for (const auto& wan : wanLines)
        AppendEntry(lines, jumps, {{"{W}", wan->NameVar.Name}});
    AppendEntry(lines, markingHeading);
    // One entry a line, in parts; packets are marked in postrouting and prerouting.
    for (const auto& wan : wanLines) {
        const TNameFill fills[] = {{"{W}", wan->NameVar.Name}, {"{UP}", "postrouting"}, {"{DOWN}", "prerouting"}};
        std::string& entry = lines.Next();
        entry.clear();
        for (const TEntryText* part : {&markingMenu, &markingFirst, &markingClasses})
            part->AppendTo(entry, fills);
    }
}
