#include "generator/Sections.h"

// Clears what an earlier import left, fills the address lists, forwards the
// management ports, and backs up and clears the old shaping before it is rebuilt.

namespace {

// The doubled remove lines are harmless (the second finds nothing) and kept
// byte for byte, like the leading space of every line after the comment.
constexpr std::string_view kCleanup = R"~(
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
    start-date=jan/01/1970 start-time=00:00:00
)~";

constexpr std::string_view kBackup = R"~(
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

constexpr std::string_view kClearing = R"~(
#清理信息mangle type tree 旧信息
/ip firewall mangle
remove [find dscp!="63"]
/queue type
remove [find pcq-limit=50]
/queue tree
remove [find priority!=8]
remove [find priority=8]
)~";

} // namespace

void AppendRouterPreparation(TScriptLines& lines, const TQvVariant& serverVar, const TQvWanList& wanLines) {
    static const TEntryText cleanup{kCleanup}, serverList{kServerList}, wanListHeader{kWanListHeader},
        wanAddress{kWanAddress}, portMapping{kPortMapping}, winbox{kWinbox}, onlineCounter{kOnlineCounter},
        backup{kBackup}, clearing{kClearing};
    const TNameFill server{"{SERVER}", serverVar.Name};
    AppendEntry(lines, cleanup, {server});
    AppendEntry(lines, serverList, {server});
    AppendEntry(lines, wanListHeader);
    for (const auto& wan : wanLines)
        AppendEntry(lines, wanAddress, {{"{W}", wan->NameVar.Name}});
    AppendEntry(lines, portMapping, {server});
    AppendEntry(lines, winbox);
    AppendEntry(lines, onlineCounter);
    AppendEntry(lines, backup);
    AppendEntry(lines, clearing);
}
