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
:global QvRouted 0
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

// From v6 on the classes are one loop on the router: the rules of a class
// differ only in its number and DSCP, and stand in the order the v5 text
// writes them; class 3 marks winbox first, class 4 marks web traffic first.
constexpr std::string_view kClassLoop = R"~(
:local QvNote (${W} . "_Qos")
:foreach QvClass in={{"1";8};{"2";7};{"3";6};{"4";5};{"5";4};{"6";3};{"7";2};{"8";1};{"-1";33};{"-2";34};{"-3";35};{"0";0}} do={
:local QvMark (${W} . "_" . [:pick $QvClass 0])
:if ([:pick $QvClass 0] = "3") do={add action=mark-connection chain=(${W} . "_Conn") disabled=no layer7-protocol=winbox new-connection-mark=($QvMark . "_Conn") passthrough=no protocol=tcp}
add action=mark-connection chain=(${W} . "_Conn") comment=$QvNote disabled=no dscp=[:pick $QvClass 1] new-connection-mark=($QvMark . "_Conn") passthrough=no
:set QvNote ""
:if ([:pick $QvClass 0] = "4") do={
add action=mark-packet chain={UP} connection-bytes=0-500000 connection-mark=($QvMark . "_Conn") disabled=no new-packet-mark=($QvMark . "_web_up") passthrough=no protocol=tcp src-address-list=Online
add action=mark-packet chain={DOWN} connection-bytes=0-800000 connection-mark=($QvMark . "_Conn") disabled=no new-packet-mark=($QvMark . "_web_down") passthrough=no protocol=tcp src-address-type=!local
}
add action=mark-packet chain={UP} connection-mark=($QvMark . "_Conn") disabled=no new-packet-mark=($QvMark . "_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=($QvMark . "_Conn") disabled=no new-packet-mark=($QvMark . "_down") passthrough=no src-address-type=!local
})~";

// A line with a way out gets a table of its own, Qostrel_eth<n>, with a
// default route through it, and each of its connection marks routes by that
// table in the mark's chain. Connections to the router coming in on the line
// get the line's mark In_Conn, so that the router answers through the line,
// and a forwarded one whose DSCP is no class's gets class 0 on its first
// packet, so that it is answered through the line too.
constexpr std::string_view kLineRoutes = R"~(
:local QvHop [:pick $QvGws {INDEX}]
:if ($QvHop != "=") do={
:set QvGw [:pick $QvHop 1 [:len $QvHop]]
:set QvTable "Qostrel_{ETH}"
:set QvWan ${W}
:local QvAdd [:parse $QvRouteCode]
$QvAdd
/ip firewall mangle
:foreach QvMark in={MARKS} do={add action=mark-routing chain=("Qostrel_" . $QvMark) connection-mark=(${W} . "_" . $QvMark) disabled=no new-routing-mark=Qostrel_{ETH} passthrough=no}
add action=mark-connection chain=Qostrel_In disabled=no in-interface=${W} new-connection-mark=(${W} . "_In_Conn") passthrough=no
add action=mark-connection chain=(${W} . "_Conn") connection-mark=no-mark disabled=no in-interface=${W} new-connection-mark=(${W} . "_0_Conn") passthrough=no
:set QvRouted ($QvRouted + 1)
})~";

// Routing by Qostrel's marks, after every line's marking, where only packets
// from the LAN of a marked connection reach it: prerouting, before routing,
// jumps by what the packet most likely says of its connection's class
// (protocol and source, as the line's connection chain tests them first, then
// DSCP, 0 first as most traffic carries it) to that class's chain, and only
// when that finds no line, to every chain. Connections to the router are
// marked in input, and their answers routed in output.
constexpr std::string_view kRouting = R"~(
#按连接标记把每个连接固定在它的WAN线路上：LAN来的数据包在路由之前按它的协议、来源和DSCP跳到对应分类的链
:if ($QvRouted > 0) do={
/ip firewall mangle
add action=jump chain=prerouting connection-mark=!no-mark disabled=no in-interface=${LAN} jump-target=Qostrel_icmp_connect protocol=icmp
add action=jump chain=prerouting connection-mark=!no-mark disabled=no dst-port=53 in-interface=${LAN} jump-target=Qostrel_icmp_connect protocol=udp
add action=jump chain=prerouting connection-mark=!no-mark disabled=no in-interface=${LAN} jump-target=Qostrel_Server_Conn src-address-list=Server_list
:foreach QvClass in={{"0";0};{"4";5};{"1";8};{"2";7};{"3";6};{"5";4};{"6";3};{"7";2};{"8";1};{"-1";33};{"-2";34};{"-3";35}} do={add action=jump chain=prerouting connection-mark=!no-mark disabled=no dscp=[:pick $QvClass 1] in-interface=${LAN} jump-target=("Qostrel_" . [:pick $QvClass 0] . "_Conn")}
add action=jump chain=prerouting connection-mark=!no-mark disabled=no in-interface=${LAN} jump-target=Qostrel_Route
:foreach QvMark in={MARKS} do={:if ($QvMark != "In_Conn") do={add action=jump chain=Qostrel_Route disabled=no jump-target=("Qostrel_" . $QvMark)}}
add action=jump chain=input connection-mark=no-mark disabled=no jump-target=Qostrel_In
add action=jump chain=output connection-mark=!no-mark disabled=no jump-target=Qostrel_In_Conn
})~";

} // namespace

void AppendMangleRules(TScriptWriter& lines, TScriptSteps& steps, const TQvWanList& wanLines, const TQvVariant& lanVar,
                       TRouterOs target) {
    static const TEntryText fastTrack{kFastTrack}, onlineList{kOnlineList}, jumpHeading{kJumpHeading}, jump{kJump},
        markingHeading{kMarkingHeading}, markingMenu{kMarkingMenu}, lineChains{kLineChains},
        markingFirst{kMarkingFirst}, markingClasses{kMarkingClasses}, classLoop{kClassLoop}, lineRoutes{kLineRoutes},
        routing{kRouting};
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
    steps.Define({"QvRouted", "QvGw", "QvTable", "QvWan"});
    for (std::size_t i = 0; i < wanLines.size(); ++i) {
        const TQvWan& wan = *wanLines[i];
        steps.Begin(lines, TStepKind::Marking, {wan.NameVar.Name});
        const bool v5 = target == TRouterOs::V5;
        const auto chain = [&](std::string_view suffix) {
            return "($" + wan.NameVar.Name + " . \"" + std::string(suffix) + "\")";
        };
        const std::string up = v5 ? "postrouting" : chain(kOwnUpChain), down = v5 ? "prerouting" : chain(kOwnDownChain),
                          index = std::to_string(i), eth = "eth" + index;
        const TNameFill fills[] = {{"{W}", wan.NameVar.Name}, {"{UP}", up},   {"{DOWN}", down},
                                   {"{INDEX}", index},        {"{ETH}", eth}, {"{MARKS}", kLineMarks}};
        std::string& entry = lines.Next();
        entry.clear();
        markingMenu.AppendTo(entry, fills);
        if (v5) {
            markingFirst.AppendTo(entry, fills);
            markingClasses.AppendTo(entry, fills);
            continue;
        }
        steps.Declare({"QvGws", "QvRouteCode", "QvRouted", "QvGw", "QvTable", "QvWan"});
        lineChains.AppendTo(entry, fills);
        markingFirst.AppendTo(entry, fills);
        classLoop.AppendTo(entry, fills);
        lineRoutes.AppendTo(entry, fills);
    }
    if (steps.Enabled) {
        steps.Begin(lines, TStepKind::Routing, {lanVar.Name, "QvRouted"});
        AppendEntry(lines, routing, {{"{LAN}", lanVar.Name}, {"{MARKS}", kLineMarks}});
    }
}
