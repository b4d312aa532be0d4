#include "generator/Sections.h"

// From here to the end the v6 and v7 scripts are one `{ … }` block. The console
// reads a pasted block whole and runs it as one command, and `:error` or any
// line the router refuses ends it, pasted or imported. So what the operator
// typed is checked against the router first: a wrong value stops the script
// before it changes anything. The block sees the header's globals only once it
// declares them again.
namespace {

constexpr std::string_view kHead = R"~(
#检查网卡名称和IP地址：与路由器不符时，脚本在这里停止，路由器不作任何改动
#从这里到脚本结尾是一个整体：路由器拒绝其中任何一行，后面的都不再执行
{
:global {SERVER}
:global {LAN}
:global {CLIENTS}
:global {RATETX}
:global {RATERX}
:local QvStop "{STOP}"
:local QvSeen ";"
:if ([:typeof [:toip ${SERVER}]] != "ip") do={:local QvMsg ("{SERVER} = " . ${SERVER} . "{BADSERVER}"); :put $QvMsg; :log error $QvMsg; :error $QvStop})~";

// QvSeen holds the WAN addresses so far as ";a;b;": the address list refuses
// the same address twice.
constexpr std::string_view kLine = R"~(:global {W}ip
:global {W}
:global {W}Rx
:global {W}Tx
:if ([:typeof [:toip ${W}ip]] != "ip") do={:local QvMsg ("{W}ip = " . ${W}ip . "{BADWANIP}"); :put $QvMsg; :log error $QvMsg; :error $QvStop}
:if ([:typeof [:find $QvSeen (";" . [:toip ${W}ip] . ";")]] = "num") do={:local QvMsg ("{W}ip = " . ${W}ip . "{SAMEWANIP}"); :put $QvMsg; :log error $QvMsg; :error $QvStop}
:set QvSeen ($QvSeen . [:toip ${W}ip] . ";")
:if ([:len [/interface find name=${W}]] = 0) do={:local QvMsg ("{W} = " . ${W} . "{NOWAN}"); :put $QvMsg; :log error $QvMsg; :error $QvStop})~";

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

} // namespace

void AppendRouterCheck(TScriptWriter& lines, const TQvVariant& serverVar, const TQvWanList& wanLines,
                       const TQvVariant& lanVar, const TQvVariant& clientVar, const TQvVariant& rateTxVar,
                       const TQvVariant& rateRxVar, TRouterOs target) {
    if (target == TRouterOs::V5)
        return;
    static const TEntryText head{kHead}, line{kLine}, lan{kLan};
    static const std::string stop = RouterString("Qostrel: 检查未通过，脚本已停止，路由器的设置没有任何改动"),
                             badServer = RouterString("：不是IPv4地址。请在“Tarnwell服务器IP地址”中填写服务器的IP地址，"
                                                      "重新生成脚本"),
                             badWanIp = RouterString("：不是IPv4地址。请修改这条WAN线路的“网卡IP”，重新生成脚本"),
                             sameWanIp = RouterString("：与前面一条WAN线路的IP地址相同。请修改这条WAN线路的“网卡IP”，"
                                                      "重新生成脚本"),
                             noWan = RouterString("：路由器上没有这个网卡。请把这条WAN线路的“网卡名称”改为路由器上"
                                                  "外网网卡的名称，重新生成脚本"),
                             noLan = RouterString("：路由器上没有这个网卡。请在“LAN网卡名称”中填写路由器上内网网卡"
                                                  "或网桥的名称，重新生成脚本"),
                             lanList = RouterString("：这是接口列表，不是网卡。请在“LAN网卡名称”中填写网桥的名称"
                                                    "（默认配置为bridge），重新生成脚本"),
                             lanPort = RouterString("：这是网桥的端口，不能用作LAN网卡。请在“LAN网卡名称”中填写网桥的"
                                                    "名称"),
                             again = RouterString("，重新生成脚本");
    AppendEntry(lines, head,
                {{"{SERVER}", serverVar.Name},
                 {"{LAN}", lanVar.Name},
                 {"{CLIENTS}", clientVar.Name},
                 {"{RATETX}", rateTxVar.Name},
                 {"{RATERX}", rateRxVar.Name},
                 {"{STOP}", stop},
                 {"{BADSERVER}", badServer}});
    for (const auto& wan : wanLines)
        AppendEntry(
            lines, line,
            {{"{W}", wan->NameVar.Name}, {"{BADWANIP}", badWanIp}, {"{SAMEWANIP}", sameWanIp}, {"{NOWAN}", noWan}});
    AppendEntry(lines, lan,
                {{"{LAN}", lanVar.Name},
                 {"{NOLAN}", noLan},
                 {"{LANLIST}", lanList},
                 {"{LANPORT}", lanPort},
                 {"{AGAIN}", again}});
}
