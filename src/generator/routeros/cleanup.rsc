## Only what Qostrel made goes. The entries of Server_list and Network with
## its mark, or without a comment as the v5 text and earlier releases wrote
## them; an entry with the operator's own comment stays, in the list the
## operator put it. A port forward with its mark, or exactly as earlier ones
## were: to one of the three ports through Network, commented
## <server's global>_<port>. The operator's own forwards stay.
## Fills: MARKED, the pattern of a comment with Qostrel's mark; MARKEDORBARE,
## of such a comment or none, as earlier versions left theirs.

#清理旧信息：只删除Qostrel创建的Server_list、Network条目和三条端口映射；带有路由器原有备注的条目和规则保留
/ip firewall address-list
:foreach QvEntry in=[find dynamic=no] do={
  :local QvItem [get $QvEntry]
  :local QvList [:tostr ($QvItem->"list")]
  :local QvNote [:tostr ($QvItem->"comment")]
  :local QvOurs ((($QvList = "Server_list") || ($QvList = "Network")) && ($QvNote ~ "{MARKEDORBARE}"))
  :if ($QvOurs) do={
    remove $QvEntry
  }
}
/ip firewall nat
:foreach QvRule in=[find action=dst-nat chain=dstnat] do={
  :local QvItem [get $QvRule]
  :local QvNote [:tostr ($QvItem->"comment")]
  :local QvPort [:tostr ($QvItem->"dst-port")]
  :local QvCut ([:len $QvNote] - [:len $QvPort] - 1)
  :local QvKnown (($QvCut > 0) && ([:pick $QvNote $QvCut [:len $QvNote]] = ("_" . $QvPort)) && ([:typeof [:find ";9912;9917;9927;" (";" . $QvPort . ";")]] = "num"))
  :set QvKnown ($QvKnown && ([:tostr ($QvItem->"to-ports")] = $QvPort) && ([:tostr ($QvItem->"dst-address-list")] = "Network") && ([:tostr ($QvItem->"protocol")] = "tcp"))
  :if ($QvKnown || ($QvNote ~ "{MARKED}")) do={
    remove $QvRule
  }
}
