#include "generator/Sections.h"

#include <algorithm>

// Clears what an earlier import left, fills the address lists, forwards the
// management ports, and backs up and clears the old shaping before it is rebuilt.

namespace {

// The doubled remove lines are harmless (the second finds nothing) and kept
// byte for byte, like the leading space of every line after the comment.
constexpr std::string_view kCleanupV5 = R"~(
#清理旧信息
 /ip firewall address-list
 remove [find address=${SERVER}]
 remove [find address=${SERVER}]
 remove [find list=Network]
 remove [find list=Network]
 /ip firewall nat
 remove [find to-ports="9912"]
 remove [find to-ports="9917"]
 remove [find to-ports="9927"]
 /ip firewall layer7-protocol
 remove [find regexp!=""]
)~";

// From v6 on only what Qostrel made goes: its two lists whole, whatever
// address they held, and its port forwards by their comments. The server's
// address stays in the operator's own lists, and so do the operator's
// forwards of the same ports.
constexpr std::string_view kCleanupLater = R"~(
#清理旧信息：只删除Qostrel创建的地址列表Server_list、Network和三条端口映射
/ip firewall address-list
remove [find list=Server_list]
remove [find list=Network]
/ip firewall nat
remove [find comment={SERVER}_9912]
remove [find comment={SERVER}_9917]
remove [find comment={SERVER}_9927]
)~";

constexpr std::string_view kServerList = R"~(#导入Tarnwell服务器ip地址
/ip firewall address-list
add address=(${SERVER}) comment="" disabled=no list=Server_list)~";

constexpr std::string_view kWanListHeader = R"~(
#导入外网ip地址
/ip firewall address-list)~";

constexpr std::string_view kWanAddress = R"~(add address=(${W}ip) comment="" disabled=no list=Network)~";

constexpr std::string_view kPortMapping = R"~(
#映射9912、9917、9927端口[固定值]
/ip firewall nat
add action=dst-nat chain=dstnat comment={SERVER}_9912 disabled=no dst-address-list=Network dst-port=9912 protocol=tcp to-addresses=${SERVER} to-ports=9912
add action=dst-nat chain=dstnat comment={SERVER}_9917 disabled=no dst-address-list=Network dst-port=9917 protocol=tcp to-addresses=${SERVER} to-ports=9917
add action=dst-nat chain=dstnat comment={SERVER}_9927 disabled=no dst-address-list=Network dst-port=9927 protocol=tcp to-addresses=${SERVER} to-ports=9927)~";

// Backslashes are doubled so that the router stores the pattern with single ones.
constexpr std::string_view kWinbox = R"~(
#Winbox layer7过滤[固定值]
/ip firewall layer7-protocol
add comment="" name=winbox regexp="\\x12\\x02\\x69\\x6e\\x64")~";

// From v6 on the protocol an earlier import made is set again, not removed:
// it need not wait for the rules that name it, the operator's among them.
constexpr std::string_view kWinboxLater = R"~(
#Winbox layer7过滤[固定值]
/ip firewall layer7-protocol
:if ([:len [find name=winbox]] = 0) do={add comment="" name=winbox regexp="\\x12\\x02\\x69\\x6e\\x64"} else={set [find name=winbox] regexp="\\x12\\x02\\x69\\x6e\\x64"})~";

// Export layout: a line ending in a backslash goes on in the next, which starts
// with four spaces. The log text is 当前 … 台客户机在线 as GBK byte escapes.
constexpr std::string_view kOnlineCounter = R"~(
#新增Online在线统计
/system scheduler
remove [find name=Online_Stat]
add comment="" disabled=no interval=10m name=Online_Stat on-event=":global s 0\
    \r\
    \n:foreach i in=[/ip firewall address-list find list=Online] do={:set s (\
    \$s+1)}\r\
    \n:log info (\"\B5\B1\C7\B0\" . \$s . \"\CC\A8\BF\CD\BB\A7\BB\FA\D4\DA\CF\
    \DF\")" policy=reboot,read,write,policy,test,password,sniff,sensitive \
    {STARTDATE}start-time=00:00:00
)~";

constexpr std::string_view kBackupV5 = R"~(
#备份Mangle 、Queue tree 、Queue type [固定值]
/system script
add name=brookfenbackup policy=\
    ftp,reboot,read,write,policy,test,winbox,password,sniff,sensitive source="\
    :local name1 mangel\r\
    \n:local name2 tree\r\
    \n:local name3 pcq\r\
    \n:local sy \"_\"\r\
    \n:local year [:pick [/system clock get date] 7 11]\r\
    \n:local mon [:pick [/system clock get date] 0 3]\r\
    \n:local day [:pick [/system clock get date] 4 6]\r\
    \n:local hh [:pick [/system clock get time] 0 2] \r\
    \n:local mm [:pick [/system clock get time] 3 5] \r\
    \n:local time (\$hh . \$mm)\r\
    \n:local month {{\"jan\";\"01\"};{\"feb\";\"02\"};{\"mar\";\"03\"};{\"apr\
    \";\"04\"};{\"may\";\"05\"};{\"jun\";\"06\"};{\"jul\";\"07\"};{\"aug\";\"\
    08\"};{\"sep\";\"09\"};{\"oct\";\"10\"};{\"nov\";\"11\"};{\"dec\";\"12\"}}\
    \r\
    \n:foreach i in=\$month do={:if ([:pick \$i 0] = \$mon) do={:set month [:p\
    ick \$i 1] }}\r\
    \n:local filename1 (\$name1 . \$sy . \$day . \$month . \$year . \$sy . \$t\
    ime)\r\
    \n:local filename2 (\$name2 . \$sy . \$day . \$month . \$year . \$sy . \$t\
    ime)\r\
    \n:local filename3 (\$name3 . \$sy . \$day . \$month . \$year . \$sy . \$t\
    ime)\r\
    \n/ip firewall mangle export file=\$filename1\r\
    \n/queue type export file=\$filename2\r\
    \n/queue tree export file=\$filename3"
/system script run brookfenbackup)~";

// From v6 on: scripts have no winbox policy on v7, and a script that stopped
// before the PCQ types left its backup script behind, which adding it again
// would refuse.
constexpr std::string_view kBackupLater = R"~(
#备份Mangle 、Queue tree 、Queue type [固定值]
/system script
remove [find name=brookfenbackup]
add name=brookfenbackup policy=\
    ftp,reboot,read,write,policy,test,password,sniff,sensitive source="\
    {SOURCE}"
/system script run brookfenbackup)~";

// The backup script's code from v6 on. The router prints its date as
// dec/09/2026 before 7.10 and as 2026-12-09 from 7.10 on; the script reads
// the date once and takes either apart, so the files are named alike:
// mangel_09122026_1020.
constexpr std::string_view kBackupSource = R"~(:local name1 mangel
:local name2 tree
:local name3 pcq
:local sy "_"
:local today [/system clock get date]
:local year [:pick $today 7 11]
:local mon [:pick $today 0 3]
:local day [:pick $today 4 6]
:if ([:pick $today 4 5] = "-") do={:set year [:pick $today 0 4]; :set mon [:pick $today 5 7]; :set day [:pick $today 8 10]}
:local hh [:pick [/system clock get time] 0 2]
:local mm [:pick [/system clock get time] 3 5]
:local time ($hh . $mm)
:local month $mon
:local months {{"jan";"01"};{"feb";"02"};{"mar";"03"};{"apr";"04"};{"may";"05"};{"jun";"06"};{"jul";"07"};{"aug";"08"};{"sep";"09"};{"oct";"10"};{"nov";"11"};{"dec";"12"}}
:foreach i in=$months do={:if ([:pick $i 0] = $mon) do={:set month [:pick $i 1]}}
:local filename1 ($name1 . $sy . $day . $month . $year . $sy . $time)
:local filename2 ($name2 . $sy . $day . $month . $year . $sy . $time)
:local filename3 ($name3 . $sy . $day . $month . $year . $sy . $time)
/ip firewall mangle export file=$filename1
/queue type export file=$filename2
/queue tree export file=$filename3)~";

// One entry in parts. v5 clears the queue types before the tree that uses
// them.
constexpr std::string_view kClearingV5 = R"~(
#清理信息mangle type tree 旧信息
/ip firewall mangle
remove [find dscp!="63"]
/queue type
remove [find pcq-limit=50]
/queue tree
remove [find priority!=8]
remove [find priority=8]
)~";

// From v6 on the clearing removes Qostrel's own shaping only, as any version
// of it made it, whatever the interface names were then. Mangle: the online
// rule, the jumps into its chains, every rule in them, and the packet marks
// by its connection marks; never a dynamic rule, which the router owns.
constexpr std::string_view kClearingMangle = R"~(
#清理信息mangle type tree 旧信息
/ip firewall mangle
#只删除Qostrel的规则（任何版本、任何网卡名称）：在线规则、跳转到Qostrel的链的规则、这些链中的规则、按Qostrel的连接标记打数据包标记的规则
remove [find dynamic=no action=add-src-to-address-list address-list=Online chain=forward comment=Online]
remove [find dynamic=no action=jump jump-target~"{CHAINS}"]
remove [find dynamic=no chain~"{CHAINS}"]
remove [find dynamic=no action=mark-packet connection-mark~"{MARKS}"]
#只删除Qostrel的路由（备注以Qostrel开头）和v7的路由表Qostrel_…
/ip route
remove [find comment~"^Qostrel "]
:if ($QvV7) do={:local QvTables [:parse "/routing table remove [find name~\"^Qostrel_\"]"]; $QvTables}
)~";

// The queue tree: Global_down, Global_up and every queue below them, and a
// queue named as Qostrel names its queues whose parent is gone (a run that
// stopped half-way) with every queue below it. Each pass collects them parents
// first and removes them children first, one by one, errors ignored: a release
// may refuse to remove a parent, remove its children with it, or leave them
// behind. A pass that finds none ends it; what is left after eight stops the
// script before anything is added. The first pass does not look for parents
// that are gone: in a whole tree it would look up every parent.
constexpr std::string_view kClearingTree = R"~(/queue tree
#只删除Qostrel的队列：Global_down、Global_up和它们下面的全部队列，以及父队列已不存在的Qostrel队列
:local QvLeft -1
:local QvPass 0
:while ((($QvLeft != 0) || ($QvPass < 2)) && ($QvPass < 9)) do={
:set QvPass ($QvPass + 1)
:local QvOwn ([find name=Global_down], [find name=Global_up])
:local QvNext {"Global_down";"Global_up"}
:if ($QvPass > 1) do={:foreach QvQueue in=[find] do={:local QvParent ""; :do {:set QvParent [get $QvQueue parent]} on-error={}; :if (([get $QvQueue name] ~ "_(up|down)\$") && ([:len [find name=$QvParent]] = 0) && ([:len [/interface find name=$QvParent]] = 0) && ([:pick $QvParent 0 6] != "global")) do={:set QvOwn ($QvOwn, $QvQueue); :set QvNext ($QvNext, [get $QvQueue name])}}}
:while ([:len $QvNext] > 0) do={:local QvNow $QvNext; :set QvNext [:toarray ""]; :foreach QvName in=$QvNow do={:foreach QvQueue in=[find parent=$QvName] do={:set QvOwn ($QvOwn, $QvQueue); :set QvNext ($QvNext, [get $QvQueue name])}}}
:set QvLeft [:len $QvOwn]
:if (($QvLeft > 0) && ($QvPass < 9)) do={:for QvAt from=($QvLeft - 1) to=0 step=-1 do={:do {remove [:pick $QvOwn $QvAt]} on-error={}}}
}
:if ($QvLeft > 0) do={:local QvMsg ("Qostrel: {TREELEFT}" . $QvLeft . "{TREETAIL}"); :put $QvMsg; :log error $QvMsg; :error $QvMsg}
)~";

// The types go by their names, which do not change with how a release prints
// pcq-limit; two built-in types have pcq-limit=50 too.
constexpr std::string_view kClearingTypes = R"~(/queue type
:local QvTypeNames {"out_1_up";"out_3_up";"out_2_up";"out_4_up";"out_5_up";"out_6_up";"out_7_up";"out_0_up";"out_-1_up";"out_-2_up";"out_-3_up";"out_8_up";"in_Server_down";"out_Server_up";"in_1_down";"in_2_down";"in_3_down";"in_4_down";"in_5_down";"in_6_down";"in_7_down";"in_0_down";"in_-1_down";"in_-2_down";"in_-3_down";"in_8_down"}
:foreach QvType in=$QvTypeNames do={:do {remove [find name=$QvType]} on-error={}}
:foreach QvType in=$QvTypeNames do={:if ([:len [find name=$QvType]] > 0) do={:local QvMsg ("Qostrel: {TYPELEFT}" . $QvType . "{TYPETAIL}"); :put $QvMsg; :log error $QvMsg; :error $QvMsg}}
)~";

// What the clearing left, so that the report at the end counts what the script
// itself created: the operator's own rules and queues, which it keeps.
constexpr std::string_view kCountsBefore = R"~(:global QvTypes0 [:len [/queue type find]]
:global QvMangle0 [:len [/ip firewall mangle find dynamic=no]]
:global QvTree0 [:len [/queue tree find]]
)~";

// From v6 on a scheduler keeps the address list Network equal to the WAN
// interfaces' current addresses, so that the port forwards survive a PPPoE
// redial, and the route of a DHCP line's own table on the client's gateway.
// It is stopped before the old Network is cleared, so that it cannot add an
// address the script is about to add. It keeps nothing in globals, which a
// reboot loses. Its start date is today's, as the router prints it: some
// releases never run a scheduler left with the default one. The interface
// names are data in its comment, each as " <length in bytes>:<name>", and in
// its routes' comments; its code holds none of them, whatever they hold.
constexpr std::string_view kFollowerStop = R"~(
#先删除计划任务Qostrel_Network，以免它与清理和重建Network同时进行
/system scheduler
remove [find name=Qostrel_Network]
:local QvToday [/system clock get date])~";

constexpr std::string_view kFollowerHead = R"~(
#新增计划任务Qostrel_Network：每分钟让Network跟随WAN网卡当前的IP地址，PPPoE重拨后端口映射仍然有效
:set QvWans "Qostrel WAN")~";

constexpr std::string_view kFollowerLine = R"~(:set QvWans ($QvWans . " " . [:len ${W}] . ":" . ${W}))~";

constexpr std::string_view kFollowerAdd = R"~(:local QvToday [/system clock get date]
/system scheduler
add comment=$QvWans disabled=no interval=1m name=Qostrel_Network on-event="\
    {SOURCE}" policy=read,write,test start-date=$QvToday start-time=00:00:00)~";

// The scheduler's code, as it runs: every address of the listed interfaces
// joins Network, every other address leaves it, and a change is logged once.
constexpr std::string_view kFollowerSource = R"~(:local wans [/system scheduler get [find name=Qostrel_Network] comment]
:set wans [:pick $wans 11 [:len $wans]]
:local want " "
:local added ""
:while ([:len $wans] > 0) do={
:local at [:find $wans ":"]
:if ([:typeof $at] != "num") do={:set wans ""} else={
:local size [:tonum [:pick $wans 1 $at]]
:local wan [:pick $wans ($at + 1) ($at + 1 + $size)]
:set wans [:pick $wans ($at + 1 + $size) [:len $wans]]
:foreach id in=[/ip address find interface=$wan disabled=no] do={
:local ip [:tostr [/ip address get $id address]]
:set ip [:pick $ip 0 [:find $ip "/"]]
:set want ($want . $ip . " ")
:if ([:len [/ip firewall address-list find list=Network address=$ip]] = 0) do={
/ip firewall address-list add address=$ip list=Network
:set added ($added . " " . $wan . " " . $ip)
}}}}
:local gone ""
:foreach id in=[/ip firewall address-list find list=Network] do={
:local ip [:tostr [/ip firewall address-list get $id address]]
:if ([:typeof [:find $want (" " . $ip . " ")]] != "num") do={
/ip firewall address-list remove $id
:set gone ($gone . " " . $ip)
}}
:if (($added != "") || ($gone != "")) do={:log info ("Qostrel: WAN网卡的IP地址变了，Network地址列表已更新：" . $gone . " ->" . $added)}
:foreach id in=[/ip route find comment~"^Qostrel "] do={
:local wan [/ip route get $id comment]
:set wan [:pick $wan 8 [:len $wan]]
:foreach client in=[/ip dhcp-client find interface=$wan disabled=no] do={
:local gw ""
:do {:set gw [:tostr [/ip dhcp-client get $client gateway]]} on-error={}
:local now [:tostr [/ip route get $id gateway]]
:if (($gw != "") && ([:typeof [:find $now "@"]] = "num")) do={:set gw ($gw . [:pick $now [:find $now "@"] [:len $now]])}
:if (($gw != "") && ($gw != $now)) do={
/ip route set $id gateway=$gw
:log info ("Qostrel: " . $wan . " 的网关变了，Qostrel的路由已改为经过 " . $gw)
}}})~";

// A router script's code as a quoted value in export layout: each of its
// lines ends in \r\ and the next goes on with four spaces and \n.
std::string ExportLayout(std::string_view source) {
    const std::string escaped = EscapeScriptString(TEntryText(source).Fill());
    std::string layout;
    for (std::size_t at = 0;;) {
        const std::size_t lineEnd = escaped.find("\\0D\\0A", at);
        if (lineEnd == std::string::npos)
            return layout + escaped.substr(at);
        layout += escaped.substr(at, lineEnd - at) + "\\r\\\r\n    \\n";
        at = lineEnd + 6;
    }
}

// The entries that depend on the target alone, filled once per target.
struct TTargetEntries {
    std::string OnlineCounter, Backup, Clearing, Follower;
};

TTargetEntries MakeEntries(TRouterOs target) {
    static const TEntryText onlineCounter{kOnlineCounter}, backupLater{kBackupLater}, clearingMangle{kClearingMangle},
        clearingTree{kClearingTree}, clearingTypes{kClearingTypes}, countsBefore{kCountsBefore}, follower{kFollowerAdd};
    static const std::string treeLeft = RouterString("队列树中还有 "),
                             treeTail = RouterString(" 个Qostrel的队列删不掉。请在 /queue tree 中删除Global_down、"
                                                     "Global_up和它们下面的队列，再粘贴脚本"),
                             typeLeft = RouterString("无法删除旧的PCQ类型 "),
                             typeTail = RouterString("，它可能仍被其他队列使用。请删除使用它的队列，再粘贴脚本");
    TTargetEntries entries;
    if (target == TRouterOs::V5) {
        entries.OnlineCounter = onlineCounter.Fill({{"{STARTDATE}", "start-date=jan/01/1970 "}});
        entries.Backup = TEntryText(kBackupV5).Fill();
        entries.Clearing = TEntryText(kClearingV5).Fill();
        return entries;
    }
    // The router's own date of today, in the form it prints dates: some
    // releases never run a scheduler left with the default start date.
    entries.OnlineCounter = onlineCounter.Fill({{"{STARTDATE}", "start-date=$QvToday "}});
    entries.Backup = backupLater.Fill({{"{SOURCE}", ExportLayout(kBackupSource)}});
    entries.Follower = follower.Fill({{"{SOURCE}", ExportLayout(kFollowerSource)}});
    entries.Clearing = clearingMangle.Fill({{"{CHAINS}", kOwnChains}, {"{MARKS}", kOwnConnectionMarks}}) +
                       clearingTree.Fill({{"{TREELEFT}", treeLeft}, {"{TREETAIL}", treeTail}}) +
                       clearingTypes.Fill({{"{TYPELEFT}", typeLeft}, {"{TYPETAIL}", typeTail}}) + countsBefore.Fill();
    return entries;
}

const TTargetEntries& EntriesFor(TRouterOs target) {
    static const TTargetEntries entries[] = {MakeEntries(TRouterOs::V5), MakeEntries(TRouterOs::V6V7)};
    return entries[static_cast<std::size_t>(target)];
}

} // namespace

void AppendRouterPreparation(TScriptWriter& lines, TScriptSteps& steps, const TQvVariant& serverVar,
                             const TQvWanList& wanLines, TRouterOs target) {
    static const TEntryText cleanupV5{kCleanupV5}, cleanupLater{kCleanupLater}, serverList{kServerList},
        wanListHeader{kWanListHeader}, wanAddress{kWanAddress}, portMapping{kPortMapping}, winboxV5{kWinbox},
        winboxLater{kWinboxLater};
    static const TEntryText followerStop{kFollowerStop}, followerHead{kFollowerHead}, followerLine{kFollowerLine};
    const TNameFill server{"{SERVER}", serverVar.Name};
    // The addresses of the lines [first, last) for Network, after its menu.
    const auto wanAddresses = [&](std::size_t first, std::size_t last) {
        AppendEntry(lines, wanListHeader);
        for (std::size_t i = first; i < last; ++i) {
            steps.Declare({wanLines[i]->IpVar.Name});
            AppendEntry(lines, wanAddress, {{"{W}", wanLines[i]->NameVar.Name}});
        }
    };
    steps.Begin(lines, TStepKind::Preparation, {serverVar.Name});
    const bool v5 = target == TRouterOs::V5;
    if (!v5)
        AppendEntry(lines, followerStop);
    AppendEntry(lines, v5 ? cleanupV5 : cleanupLater, {server});
    AppendEntry(lines, serverList, {server});
    if (v5)
        wanAddresses(0, wanLines.size()); // in the order it was always written
    AppendEntry(lines, portMapping, {server});
    AppendEntry(lines, v5 ? winboxV5 : winboxLater);
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
        steps.Define({"QvWans"});
        for (std::size_t first = 0; first == 0 || first < wanLines.size(); first += 32) {
            steps.Begin(lines, TStepKind::Follower, {"QvWans"});
            if (first == 0)
                AppendEntry(lines, followerHead);
            for (std::size_t i = first; i < std::min(first + 32, wanLines.size()); ++i) {
                steps.Declare({wanLines[i]->NameVar.Name});
                AppendEntry(lines, followerLine, {{"{W}", wanLines[i]->NameVar.Name}});
            }
        }
        lines.Append(entries.Follower);
    }
    steps.Begin(lines, TStepKind::Clearing, {"QvV7"});
    steps.Define({"QvTypes0", "QvMangle0", "QvTree0"});
    lines.Append(entries.Clearing);
}
