#include "generator/Sections.h"

// The first steps of the v6 and v7 scripts check what the operator typed
// against the router: a wrong value stops the script before it changes
// anything. Each step sees the header's globals only once it declares them.
namespace {

// The messages every line's check needs are set once, as helper globals, so
// that the lines' steps stay small. The first step uses only what v5 reads as
// well: on a v5 router it stops with its own message, naming the choice.
constexpr std::string_view kHead = R"~(
#脚本分步执行：每一步只在前一步完成后才执行，一步停止，后面的都不再执行
#第1步检查路由器的系统版本和Tarnwell服务器的IP地址，然后检查LAN网卡、路由器上原有的mangle规则和每条WAN线路：检查不通过时，路由器的设置没有任何改动
:global QvStop "{STOP}"
:global QvSeen ";"
:global QvBadIp "{BADWANIP}"
:global QvSameIp "{SAMEWANIP}"
:global QvNoWan "{NOWAN}"
:global QvNoAddress "{NOADDRESS}"
:global QvNotHeld "{NOTHELD}"
:global QvSlowUp "{SLOWUP}"
:global QvSlowDown "{SLOWDOWN}"
:global QvV7 false
:local QvVersion [/system resource get version]
:local QvDot [:find $QvVersion "."]
:local QvFits false
:if ([:typeof $QvDot] = "num") do={:local QvMajor [:tonum [:pick $QvVersion 0 $QvDot]]; :if ([:typeof $QvMajor] = "num") do={:set QvFits ($QvMajor >= 6); :set QvV7 ($QvMajor >= 7)}}
:if (!$QvFits) do={:local QvMsg ("RouterOS = " . $QvVersion . "{OLDOS}"); :put $QvMsg; :log error $QvMsg; :error $QvStop}
:if (([:typeof [:toip ${SERVER}]] != "ip") || ([:tostr [:toip ${SERVER}]] != ${SERVER})) do={:local QvMsg ("{SERVER} = " . ${SERVER} . "{BADSERVER}"); :put $QvMsg; :log error $QvMsg; :error $QvStop})~";

// A default v6/v7 router calls its interface list "LAN"; the LAN side is the
// bridge. Releases before 6.41 have no interface lists, so that menu is only
// parsed when the script runs, where a failure is caught. A bridge port is no
// LAN interface either: routed traffic comes in on the bridge.
constexpr std::string_view kLan = R"~(
:if ([:len [/interface find name=${LAN}]] = 0) do={
:local QvIsList false
:do {:local QvFind [:parse ":global {LAN}; :return [/interface list find name=\${LAN}]"]; :set QvIsList ([:len [$QvFind]] > 0)} on-error={}
:local QvMsg ("{LAN} = " . ${LAN} . "{NOLAN}")
:if ($QvIsList) do={:set QvMsg ("{LAN} = " . ${LAN} . "{LANLIST}")}
:put $QvMsg
:log error $QvMsg
:error $QvStop
}
:if ([:len [/interface bridge port find interface=${LAN}]] > 0) do={:local QvMsg ("{LAN} = " . ${LAN} . "{LANPORT}" . [/interface bridge port get [find interface=${LAN}] bridge] . "{AGAIN}"); :put $QvMsg; :log error $QvMsg; :error $QvStop})~";

// The operator's packet marks and simple queues only warn: Qostrel marks its
// lines' packets after them, and its queues shape the same traffic again.
constexpr std::string_view kOwnConfig = R"~(
/ip firewall mangle
:global QvLines [:toarray ""]
:local QvMarks ([:len [find dynamic=no disabled=no action=mark-packet]] - [:len [find dynamic=no disabled=no action=mark-packet connection-mark~"{MARKS}"]])
:if ($QvMarks > 0) do={:local QvMsg ("Qostrel: " . $QvMarks . "{PACKETMARKS}"); :put $QvMsg; :log warning $QvMsg}
:local QvSimple [:len [/queue simple find disabled=no]]
:if ($QvSimple > 0) do={:local QvMsg ("Qostrel: " . $QvSimple . "{SIMPLE}"); :put $QvMsg; :log warning $QvMsg})~";

// A connection holds one connection mark, and Qostrel marks every connection
// of its lines with its class, so the operator's connection marks are taken
// over. That keeps routing by them only where the mark stands for one line:
// set by the line's in-interface, or set by PCC and routed by routing marks
// whose default routes of the least distance (a backup route may go through
// another line) all go through one line. Any other mark stops the script,
// before any change, naming the first such rule. The default routes, but
// Qostrel's own, are read once: their table (v6 routing-mark, v7
// routing-table; empty is main), distance, each gateway, and the line it goes
// through, -1 for none. A gateway
// names its line as the interface, as an address with %<interface>, as an
// address in one of the line's networks, or as its PPPoE peer (the network of
// a /32 address).
// Then each line's way out for its own table: a PPPoE line's interface, a
// DHCP client's gateway, or the gateway of a default route through it; a line
// without one only warns, and keeps the routing it has. QvGws holds them as
// "=<gateway>", "=" for none.
constexpr std::string_view kRoutes = R"~(
/ip firewall mangle
:global QvGws [:toarray ""]
:local QvTables [:toarray ""]
:local QvVia [:toarray ""]
:local QvHops [:toarray ""]
:local QvDistances [:toarray ""]
:local QvProp "routing-mark"
:if ($QvV7) do={:set QvProp "routing-table"}
:foreach QvRoute in=[/ip route find dst-address=0.0.0.0/0 disabled=no] do={:if (!([:tostr [/ip route get $QvRoute comment]] ~ "^Qostrel ")) do={
:local QvTable ""
:do {:set QvTable [:tostr [/ip route get $QvRoute $QvProp]]} on-error={}
:if ($QvTable = "") do={:set QvTable "main"}
:foreach QvGate in=[/ip route get $QvRoute gateway] do={
:local QvHop [:tostr $QvGate]
:local QvAt -1
:local QvI 0
:foreach QvWan in=$QvLines do={
:if (($QvHop = $QvWan) || ([:pick $QvHop ([:len $QvHop] - [:len $QvWan] - 1) [:len $QvHop]] = ("%" . $QvWan))) do={:set QvAt $QvI}
:if (($QvAt < 0) && ([:typeof [:toip $QvHop]] = "ip")) do={:foreach QvAddress in=[/ip address find interface=$QvWan disabled=no] do={:do {:if (([:toip $QvHop] in [/ip address get $QvAddress address]) || ([:toip $QvHop] = [/ip address get $QvAddress network])) do={:set QvAt $QvI}} on-error={}}}
:set QvI ($QvI + 1)
}
:set QvTables ($QvTables, $QvTable)
:set QvVia ($QvVia, $QvAt)
:set QvHops ($QvHops, $QvHop)
:set QvDistances ($QvDistances, [:tonum [/ip route get $QvRoute distance]])
}
}}
:local QvUntied [:toarray ""]
:foreach QvRule in=[find dynamic=no disabled=no action=mark-connection] do={:if (!([get $QvRule chain] ~ "{CHAINS}")) do={
:local QvLine -2
:foreach QvWan in=$QvLines do={:if ([get $QvRule in-interface] = $QvWan) do={:set QvLine 0}}
:local QvPcc ""
:do {:set QvPcc [get $QvRule per-connection-classifier]} on-error={}
:if (($QvLine = -2) && ($QvPcc != "")) do={:foreach QvRouting in=[find action=mark-routing disabled=no connection-mark=[get $QvRule new-connection-mark]] do={
:local QvMark [get $QvRouting new-routing-mark]
:local QvLeast 256
:local QvR 0
:foreach QvTable in=$QvTables do={:if (($QvTable = $QvMark) && ([:pick $QvDistances $QvR] < $QvLeast)) do={:set QvLeast [:pick $QvDistances $QvR]}; :set QvR ($QvR + 1)}
:set QvR 0
:foreach QvTable in=$QvTables do={:if (($QvTable = $QvMark) && ([:pick $QvDistances $QvR] = $QvLeast)) do={:local QvAt [:pick $QvVia $QvR]; :if (($QvLine = -2) || ($QvLine = $QvAt)) do={:set QvLine $QvAt} else={:set QvLine -1}}; :set QvR ($QvR + 1)}
}}
:if ($QvLine < 0) do={:set QvUntied ($QvUntied, $QvRule)}
}}
:if ([:len $QvUntied] > 0) do={
:local QvFirst [:pick $QvUntied 0]
:local QvComment ""
:do {:set QvComment [get $QvFirst comment]} on-error={}
:local QvMsg ("Qostrel: " . [:len $QvUntied] . "{MARKCONN}chain=" . [get $QvFirst chain] . " comment=" . $QvComment . " new-connection-mark=" . [get $QvFirst new-connection-mark] . "{WHY}")
:put $QvMsg
:log error $QvMsg
:error $QvStop
}
:local QvI 0
:foreach QvWan in=$QvLines do={
:local QvHop ""
:if ([:len [/interface pppoe-client find name=$QvWan]] > 0) do={:set QvHop $QvWan}
:if ($QvHop = "") do={:foreach QvClient in=[/ip dhcp-client find interface=$QvWan disabled=no] do={:do {:set QvHop [:tostr [/ip dhcp-client get $QvClient gateway]]} on-error={}}}
:local QvR 0
:foreach QvAt in=$QvVia do={:if (($QvHop = "") && ($QvAt = $QvI)) do={:set QvHop [:pick $QvHops $QvR]}; :set QvR ($QvR + 1)}
:if ($QvHop = "") do={:local QvMsg ("eth" . $QvI . " = " . $QvWan . "{NOWAY}"); :put $QvMsg; :log warning $QvMsg}
:set QvGws ($QvGws, ("=" . $QvHop))
:set QvI ($QvI + 1)
}
:set QvRouteCode "{ROUTESIX}"
:if ($QvV7) do={:set QvRouteCode "{ROUTESEVEN}"})~";

// The code that adds a line's own table and default route, run by :parse: v6
// and v7 read it differently, and neither reads the other's. v7 resolves an
// address gateway of another table in main, as its policy routing example
// writes it (gateway=<address>@main); v6 resolves it in main anyway.
constexpr std::string_view kRouteV6 =
    R"(:global QvGw; :global QvTable; :global QvWan; /ip route add comment=(\"Qostrel \" . \$QvWan) dst-address=0.0.0.0/0 gateway=\$QvGw routing-mark=\$QvTable)";
constexpr std::string_view kRouteV7 =
    R"(:global QvGw; :global QvTable; :global QvWan; :local QvVia \$QvGw; :if ([:typeof [:toip \$QvGw]] = \"ip\") do={:set QvVia (\$QvGw . \"@main\")}; /routing table add comment=Qostrel fib name=\$QvTable; /ip route add comment=(\"Qostrel \" . \$QvWan) dst-address=0.0.0.0/0 gateway=\$QvVia routing-table=\$QvTable)";

// An address must read back exactly as typed: the router takes "1.2.3" for
// 1.2.0.3 and "010.1.1.1" for 8.1.1.1. QvSeen holds the addresses so far as
// ";a;b;": the address list refuses the same address twice. The address must
// be one the line's interface holds, or no port forward ever matches it; an
// interface with no address yet (a PPPoE line that is down) only warns, as
// the Network follower takes its address once the line is up. A bandwidth of
// 1 Mbps would give the line's root max-limit=0: no limit at all. The first
// check that fails gives the message.
constexpr std::string_view kLine = R"~({
:local QvMsg ""
:if (([:typeof [:toip ${W}ip]] != "ip") || ([:tostr [:toip ${W}ip]] != ${W}ip)) do={:set QvMsg ("{W}ip = " . ${W}ip . $QvBadIp)}
:if (($QvMsg = "") && ([:typeof [:find $QvSeen (";" . ${W}ip . ";")]] = "num")) do={:set QvMsg ("{W}ip = " . ${W}ip . $QvSameIp)}
:set QvSeen ($QvSeen . ${W}ip . ";")
:if (($QvMsg = "") && ([:len [/interface find name=${W}]] = 0)) do={:set QvMsg ("{W} = " . ${W} . $QvNoWan)}
:local QvHeld ""
:if ($QvMsg = "") do={:foreach QvAddress in=[/ip address find interface=${W} disabled=no] do={:local QvIp [:tostr [/ip address get $QvAddress address]]; :set QvHeld ($QvHeld . " " . [:pick $QvIp 0 [:find $QvIp "/"]])}}
:if (($QvMsg = "") && ($QvHeld = "")) do={:local QvWarn ("{W}ip = " . ${W}ip . $QvNoAddress); :put $QvWarn; :log warning $QvWarn}
:if (($QvMsg = "") && ($QvHeld != "") && ([:typeof [:find ($QvHeld . " ") (" " . ${W}ip . " ")]] != "num")) do={:set QvMsg ("{W}ip = " . ${W}ip . $QvNotHeld . $QvHeld)}
:if (($QvMsg = "") && (${W}Rx <= 1000000)) do={:set QvMsg ("{W}Rx = " . ${W}Rx . $QvSlowUp)}
:if (($QvMsg = "") && (${W}Tx <= 1000000)) do={:set QvMsg ("{W}Tx = " . ${W}Tx . $QvSlowDown)}
:if ($QvMsg != "") do={:put $QvMsg; :log error $QvMsg; :error $QvStop}
:set QvLines ($QvLines, ${W})
})~";

// The helper globals step 1 sets and every line's check declares.
constexpr std::string_view kMessages[] = {"QvStop",      "QvSeen",    "QvBadIp",  "QvSameIp",   "QvNoWan",
                                          "QvNoAddress", "QvNotHeld", "QvSlowUp", "QvSlowDown", "QvLines"};

} // namespace

void AppendRouterCheck(TScriptWriter& lines, TScriptSteps& steps, const TQvVariant& serverVar,
                       const TQvWanList& wanLines, const TQvVariant& lanVar, TRouterOs target) {
    if (target == TRouterOs::V5)
        return;
    static const TEntryText head{kHead}, line{kLine}, lan{kLan}, ownConfig{kOwnConfig}, routes{kRoutes};
    static const std::string
        stop = RouterString("Qostrel: 检查未通过，脚本已停止，路由器的设置没有任何改动"),
        oldOs = RouterString("：这个脚本适用于RouterOS v6和v7，不能在这个版本上运行。请在“路由器系统”"
                             "中选择“RouterOS v5”，重新生成脚本"),
        badServer = RouterString("：不是IPv4地址。请在“Tarnwell服务器IP地址”中填写服务器的IP地址，"
                                 "重新生成脚本"),
        badWanIp = RouterString("：不是IPv4地址。请修改这条WAN线路的“网卡IP”，重新生成脚本"),
        sameWanIp = RouterString("：与前面一条WAN线路的IP地址相同。请修改这条WAN线路的“网卡IP”，"
                                 "重新生成脚本"),
        noWan = RouterString("：路由器上没有这个网卡。请把这条WAN线路的“网卡名称”改为路由器上"
                             "外网网卡的名称，重新生成脚本"),
        noAddress = RouterString("：网卡上还没有IP地址（PPPoE线路未连接？）。脚本继续执行，线路连接后"
                                 "计划任务Qostrel_Network会在一分钟内把它的地址放入Network"),
        notHeld = RouterString("：不是这个网卡的IP地址。请把“网卡IP”改为网卡上的地址，重新生成脚本。"
                               "网卡上的地址："),
        slowUp = RouterString("：上传带宽必须大于1 Mbps（为1时队列不限速）。请修改这条WAN线路的"
                              "“上传带宽”，重新生成脚本"),
        slowDown = RouterString("：下载带宽必须大于1 Mbps（为1时队列不限速）。请修改这条WAN线路的"
                                "“下载带宽”，重新生成脚本"),
        noLan = RouterString("：路由器上没有这个网卡。请在“LAN网卡名称”中填写路由器上内网网卡"
                             "或网桥的名称，重新生成脚本"),
        lanList = RouterString("：这是接口列表，不是网卡。请在“LAN网卡名称”中填写网桥的名称"
                               "（默认配置为bridge），重新生成脚本"),
        lanPort = RouterString("：这是网桥的端口，不能用作LAN网卡。请在“LAN网卡名称”中填写网桥的"
                               "名称"),
        again = RouterString("，重新生成脚本"),
        markConnection = RouterString(" 条路由器上原有的mark-connection规则与Qostrel冲突，第一条："),
        why = RouterString("。一个连接只能有一个连接标记：Qostrel给每条WAN线路的每个连接打上流控分类的"
                           "标记，会覆盖这些规则的标记。Qostrel能接管的只有归属一条WAN线路的标记：按这条"
                           "线路的in-interface打的，或者PCC打的、它的路由标记的默认路由只经过一条WAN线路的。"
                           "请先在 /ip firewall mangle 中禁用这些规则，或改为按线路打标记，再重新粘贴脚本"),
        noWay = RouterString("：找不到这条WAN线路的网关（不是PPPoE线路，没有DHCP客户端，也没有经过它的默认"
                             "路由）。脚本继续执行，但这条线路上的连接不会固定从它进出，从它进来的端口映射"
                             "可能从别的线路回复"),
        packetMarks = RouterString(" 条路由器上原有的mark-packet规则：Qostrel在它们之后给自己线路的"
                                   "每个数据包打标记，使用这些标记的队列看到的流量可能变少"),
        simple = RouterString(" 个简单队列（/queue simple）：它们会对同样的流量再限速一次");
    // The chain's counter, set right after the header on every run.
    lines.Append(":global QvStep 0");
    steps.Define(kMessages);
    steps.Begin(lines, TStepKind::Checks, {serverVar.Name});
    AppendEntry(lines, head,
                {{"{SERVER}", serverVar.Name},
                 {"{STOP}", stop},
                 {"{BADWANIP}", badWanIp},
                 {"{SAMEWANIP}", sameWanIp},
                 {"{NOWAN}", noWan},
                 {"{NOADDRESS}", noAddress},
                 {"{NOTHELD}", notHeld},
                 {"{SLOWUP}", slowUp},
                 {"{SLOWDOWN}", slowDown},
                 {"{OLDOS}", oldOs},
                 {"{BADSERVER}", badServer}});
    // The LAN check catches errors, which v5 cannot read: a step of its own,
    // with the check of the operator's own rules.
    steps.Begin(lines, TStepKind::Config, {lanVar.Name, "QvStop"});
    AppendEntry(lines, lan,
                {{"{LAN}", lanVar.Name},
                 {"{NOLAN}", noLan},
                 {"{LANLIST}", lanList},
                 {"{LANPORT}", lanPort},
                 {"{AGAIN}", again}});
    AppendEntry(lines, ownConfig,
                {{"{MARKS}", kOwnConnectionMarks}, {"{PACKETMARKS}", packetMarks}, {"{SIMPLE}", simple}});
    // Up to 8 lines a step, each in a block of its own for its locals.
    for (std::size_t i = 0; i < wanLines.size(); ++i) {
        if (i % 8 == 0) {
            steps.Begin(lines, TStepKind::LineCheck);
            steps.Declare(kMessages);
        }
        const TQvWan& wan = *wanLines[i];
        steps.Declare({wan.IpVar.Name, wan.NameVar.Name, wan.RxVar.Name, wan.TxVar.Name});
        AppendEntry(lines, line, {{"{W}", wan.NameVar.Name}});
    }
    // Once every line is known: the operator's connection marks and each
    // line's way out.
    steps.Define({"QvV7", "QvGws", "QvRouteCode"});
    steps.Begin(lines, TStepKind::Routes, {"QvStop", "QvLines", "QvV7", "QvRouteCode"});
    AppendEntry(lines, routes,
                {{"{CHAINS}", kOwnChains},
                 {"{MARKCONN}", markConnection},
                 {"{WHY}", why},
                 {"{NOWAY}", noWay},
                 {"{ROUTESIX}", kRouteV6},
                 {"{ROUTESEVEN}", kRouteV7}});
}
