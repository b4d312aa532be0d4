#include "generator/Sections.h"

// Sorts each WAN line's traffic into groups and packet marks. Every marking rule
// ends its chain, so the order of the rules decides which mark a packet gets.
namespace {

// Since v6.29 FastTrack sends established connections past mangle and the
// queues, and the default configuration has it on. The rules are disabled, not
// removed: the operator can turn them on again. Releases without FastTrack
// refuse the action's name, which is caught.
constexpr std::string_view kFastTrack = R"~(
#禁用FastTrack：经FastTrack转发的连接不经过mangle和队列，流控对它们不起作用。只禁用，不删除
:local QvFast [:toarray ""]
:do {:set QvFast [/ip firewall filter find action=fasttrack-connection disabled=no dynamic=no]} on-error={}
:if ([:len $QvFast] > 0) do={/ip firewall filter disable $QvFast}
:local QvFastMsg ("Qostrel: {DISABLED}" . [:len $QvFast] . "{FASTTRACK}")
:put $QvFastMsg
:log info $QvFastMsg)~";

constexpr std::string_view kOnlineList = R"~(
#获取内网里除服务器server_list列表已经存在IP外，所有建立通信的IP地址；流控基于所获取到的Online列表进行
#在线
/ip firewall mangle
add action=add-src-to-address-list address-list=Online address-list-timeout=3m chain=forward comment=Online disabled=no in-interface=${LAN} src-address-list=!Server_list)~";

constexpr std::string_view kJumpHeading = R"~(
#——————————————————————————————————————————————————————————————————————————————————————————
#数据跳转流控，每增加一条外网则在此处生成2条规则；)~";

constexpr std::string_view kJump = R"~(
add action=jump chain=forward comment=(${W} . "_Conn") disabled=no jump-target=(${W} . "_Conn") out-interface=${W}
add action=jump chain=forward disabled=no in-interface=${W} jump-target=(${W} . "_Conn"))~";

// The heading speaks of 40 rules though the blocks hold 46: its words are fixed
// text and do not follow the count.
constexpr std::string_view kMarkingHeading = R"~(
#——————————————————————————————————————————————————————————————————————————————————————————
#数据标记，每增加一条外网则按以下模版生成40条规则；顺序不可错)~";

// Class 4 web marks stand before the plain ones: a connection is "web" while
// its byte count is small. The block is one entry, in parts: ICMP and DNS and
// the Server group, then the DSCP classes. The packet rules stand in the
// chains {UP} and {DOWN}: postrouting and prerouting in v5.
constexpr std::string_view kMarkingMenu = R"~(
/ip firewall mangle)~";

constexpr std::string_view kMarkingFirst = R"~(
add action=mark-connection chain=(${W} . "_Conn") comment=(${W} . "_icmp") disabled=no new-connection-mark=(${W} . "_icmp_connect") passthrough=no protocol=icmp
add action=mark-connection chain=(${W} . "_Conn") disabled=no dst-port=53 new-connection-mark=(${W} . "_icmp_connect") passthrough=no protocol=udp
add action=mark-packet chain={UP} connection-mark=(${W} . "_icmp_connect") disabled=no new-packet-mark=(${W} . "_icmp_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_icmp_connect") disabled=no new-packet-mark=(${W} . "_icmp_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") comment=(${W} . "_Server") disabled=no new-connection-mark=(${W} . "_Server_Conn") passthrough=no src-address-list=Server_list
add action=mark-packet chain={UP} connection-mark=(${W} . "_Server_Conn") disabled=no new-packet-mark=(${W} . "_Server_up") out-interface=${W} passthrough=no src-address-list=Server_list
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_Server_Conn") disabled=no in-interface=${W} new-packet-mark=(${W} . "_Server_down") passthrough=no src-address-type=!local)~";

// From v6 on each line's packet rules stand in chains of the line's own: a
// download packet arrives on the line's interface, an upload packet leaves
// through it, and each is tested against its own line's rules only. A
// download packet of a connection that already has its mark leaves the line's
// connection chain at once: it carries the DSCP the internet sends back,
// almost always 0, and would re-mark its connection as class 0; nor could it
// match the ICMP, DNS and Server rules before it, which its connection's first
// packet already decided. The v5 script keeps its original text.
constexpr std::string_view kLineChains = R"~(
add action=jump chain=prerouting disabled=no in-interface=${W} jump-target={DOWN}
add action=jump chain=postrouting disabled=no jump-target={UP} out-interface=${W}
add action=return chain=(${W} . "_Conn") connection-mark=!no-mark disabled=no in-interface=${W})~";

constexpr std::string_view kMarkingClasses = R"~(
add action=mark-connection chain=(${W} . "_Conn") comment=(${W} . "_Qos") disabled=no dscp=8 new-connection-mark=(${W} . "_1_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_1_Conn") disabled=no new-packet-mark=(${W} . "_1_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_1_Conn") disabled=no new-packet-mark=(${W} . "_1_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=7 new-connection-mark=(${W} . "_2_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_2_Conn") disabled=no new-packet-mark=(${W} . "_2_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_2_Conn") disabled=no new-packet-mark=(${W} . "_2_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no layer7-protocol=winbox new-connection-mark=(${W} . "_3_Conn") passthrough=no protocol=tcp
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=6 new-connection-mark=(${W} . "_3_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_3_Conn") disabled=no new-packet-mark=(${W} . "_3_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_3_Conn") disabled=no new-packet-mark=(${W} . "_3_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=5 new-connection-mark=(${W} . "_4_Conn") passthrough=no
add action=mark-packet chain={UP} connection-bytes=0-500000 connection-mark=(${W} . "_4_Conn") disabled=no new-packet-mark=(${W} . "_4_web_up") passthrough=no protocol=tcp src-address-list=Online
add action=mark-packet chain={DOWN} connection-bytes=0-800000 connection-mark=(${W} . "_4_Conn") disabled=no new-packet-mark=(${W} . "_4_web_down") passthrough=no protocol=tcp src-address-type=!local
add action=mark-packet chain={UP} connection-mark=(${W} . "_4_Conn") disabled=no new-packet-mark=(${W} . "_4_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_4_Conn") disabled=no new-packet-mark=(${W} . "_4_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=4 new-connection-mark=(${W} . "_5_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_5_Conn") disabled=no new-packet-mark=(${W} . "_5_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_5_Conn") disabled=no new-packet-mark=(${W} . "_5_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=3 new-connection-mark=(${W} . "_6_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_6_Conn") disabled=no new-packet-mark=(${W} . "_6_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_6_Conn") disabled=no new-packet-mark=(${W} . "_6_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=2 new-connection-mark=(${W} . "_7_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_7_Conn") disabled=no new-packet-mark=(${W} . "_7_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_7_Conn") disabled=no new-packet-mark=(${W} . "_7_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=1 new-connection-mark=(${W} . "_8_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_8_Conn") disabled=no new-packet-mark=(${W} . "_8_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_8_Conn") disabled=no new-packet-mark=(${W} . "_8_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=33 new-connection-mark=(${W} . "_-1_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_-1_Conn") disabled=no new-packet-mark=(${W} . "_-1_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_-1_Conn") disabled=no new-packet-mark=(${W} . "_-1_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=34 new-connection-mark=(${W} . "_-2_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_-2_Conn") disabled=no new-packet-mark=(${W} . "_-2_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_-2_Conn") disabled=no new-packet-mark=(${W} . "_-2_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=35 new-connection-mark=(${W} . "_-3_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_-3_Conn") disabled=no new-packet-mark=(${W} . "_-3_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_-3_Conn") disabled=no new-packet-mark=(${W} . "_-3_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=0 new-connection-mark=(${W} . "_0_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_0_Conn") disabled=no new-packet-mark=(${W} . "_0_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_0_Conn") disabled=no new-packet-mark=(${W} . "_0_down") passthrough=no src-address-type=!local)~";

} // namespace

void AppendMangleRules(TScriptWriter& lines, TScriptSteps& steps, const TQvWanList& wanLines, const TQvVariant& lanVar,
                       TRouterOs target) {
    static const TEntryText fastTrack{kFastTrack}, onlineList{kOnlineList}, jumpHeading{kJumpHeading}, jump{kJump},
        markingHeading{kMarkingHeading}, markingMenu{kMarkingMenu}, lineChains{kLineChains},
        markingFirst{kMarkingFirst}, markingClasses{kMarkingClasses};
    steps.Begin(lines, TStepKind::FastTrack, {lanVar.Name});
    if (target != TRouterOs::V5) {
        static const std::string disabled = RouterString("已禁用 "),
                                 rules = RouterString(" 条FastTrack规则（/ip firewall filter，需要时可重新启用）");
        AppendEntry(lines, fastTrack, {{"{DISABLED}", disabled}, {"{FASTTRACK}", rules}});
    }
    AppendEntry(lines, onlineList, {{"{LAN}", lanVar.Name}});
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
        AppendEntry(lines, jump, {{"{W}", wanLines[i]->NameVar.Name}});
    }
    AppendEntry(lines, markingHeading);
    for (const auto& wan : wanLines) {
        steps.Begin(lines, TStepKind::Marking, {wan->NameVar.Name});
        const bool v5 = target == TRouterOs::V5;
        const auto chain = [&](std::string_view suffix) {
            return "($" + wan->NameVar.Name + " . \"" + std::string(suffix) + "\")";
        };
        const std::string up = v5 ? "postrouting" : chain(kOwnUpChain), down = v5 ? "prerouting" : chain(kOwnDownChain);
        const TNameFill fills[] = {{"{W}", wan->NameVar.Name}, {"{UP}", up}, {"{DOWN}", down}};
        std::string& entry = lines.Next();
        entry.clear();
        markingMenu.AppendTo(entry, fills);
        if (!v5)
            lineChains.AppendTo(entry, fills);
        markingFirst.AppendTo(entry, fills);
        markingClasses.AppendTo(entry, fills);
    }
}
