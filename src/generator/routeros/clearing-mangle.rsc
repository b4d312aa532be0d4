## The clearing removes Qostrel's own shaping only, as any version of it made
## it: the mangle rules of QvMine (owned-mangle.rsc), never a dynamic rule,
## which the router owns. Then its routes, and on v7 its tables, by the mark
## on them, through :parse: v6 has no /routing table. So are its IPv6 rules,
## by the mark alone (no earlier release made any), where there is an /ipv6
## menu: on v7, and on v6 with its ipv6 package enabled. The code :parse reads
## spells the mark's pattern out: a fill would end up unescaped in it. The
## import and Qostrel_Remove run the same code, so it reads the release
## itself.
## Fills: MARKED, the pattern of a comment with Qostrel's mark.

#清理信息mangle type tree 旧信息
/ip firewall mangle
:global QvMine
#只删除Qostrel的规则：带Qostrel备注的，和Qostrel以前的版本或v5脚本原样添加的；路由器上原有的规则保留
:foreach QvRule in=[find dynamic=no] do={
  :if ([:typeof [:find $QvMine (";" . $QvRule . ";")]] = "num") do={
    remove $QvRule
  }
}
#只删除Qostrel的路由和v7的路由表（备注为Qostrel或以"Qostrel "开头）
/ip route
remove [find comment~"{MARKED}"]
:local QvRelease [/system resource get version]
:if ([:tonum [:pick $QvRelease 0 [:find $QvRelease "."]]] >= 7) do={
  :local QvRemoveTables [:parse "/routing table remove [find comment~\"^Qostrel( |\\\$)\"]"]
  $QvRemoveTables
}
#只删除Qostrel的IPv6 mangle规则（备注为Qostrel或以"Qostrel "开头）
:if (([:tonum [:pick $QvRelease 0 [:find $QvRelease "."]]] >= 7) || ([:len [/system package find name=ipv6 disabled=no]] > 0)) do={
  :local QvRemoveSix [:parse "/ipv6 firewall mangle remove [find comment~\"^Qostrel( |\\\$)\"]"]
  $QvRemoveSix
}
