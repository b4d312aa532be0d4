## The clearing removes Qostrel's own shaping only, as any version of it made
## it, whatever the interface names were then. Mangle: the online rule, the
## jumps into its chains, every rule in them, and the packet marks by its
## connection marks; never a dynamic rule, which the router owns. Then its
## routes, and on v7 its tables, through :parse: v6 has no /routing table.
## The import and Qostrel_Remove run the same code, so it reads the release
## itself.
## Fills: OWNCHAINS and OWNMARKS, the patterns of Qostrel's own chains and
## connection marks.

#清理信息mangle type tree 旧信息
/ip firewall mangle
:local QvOwnChains "{OWNCHAINS}"
:local QvOwnMarks "{OWNMARKS}"
#只删除Qostrel的规则（任何版本、任何网卡名称）：在线规则、跳转到Qostrel的链的规则、这些链中的规则、按Qostrel的连接标记打数据包标记的规则
remove [find dynamic=no action=add-src-to-address-list address-list=Online chain=forward comment=Online]
remove [find dynamic=no action=jump jump-target~$QvOwnChains]
remove [find dynamic=no chain~$QvOwnChains]
remove [find dynamic=no action=mark-packet connection-mark~$QvOwnMarks]
#只删除Qostrel的路由（备注以Qostrel开头）和v7的路由表Qostrel_…
/ip route
remove [find comment~"^Qostrel "]
:local QvRelease [/system resource get version]
:if ([:tonum [:pick $QvRelease 0 [:find $QvRelease "."]]] >= 7) do={
  :local QvRemoveTables [:parse "/routing table remove [find name~\"^Qostrel_\"]"]
  $QvRemoveTables
}
