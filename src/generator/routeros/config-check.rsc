## Step 2: the LAN interface, then the operator's own packet marks and simple
## queues. A default v6/v7 router calls its interface list "LAN"; the LAN side
## is the bridge. Releases before 6.41 have no interface lists, so that menu
## is only parsed when the script runs, where a failure is caught. A bridge
## port is no LAN interface either: routed traffic comes in on the bridge.
## The operator's packet marks and simple queues only warn: Qostrel marks its
## lines' packets after them, and its queues shape the same traffic again.
## Starts the list of lines, and the lists the next steps check them from.
## The operator's packet marks are those not in QvMine (owned-mangle.rsc).
## Fills: LAN, the LAN interface's global.
:global QvFail
:global QvMine
:global QvStopWith
:global QvSeen ";"
:global QvLines [:toarray ""]
:global QvCheckNames [:toarray ""]
:global QvCheckWans [:toarray ""]
:global QvCheckIps [:toarray ""]
:global QvCheckUps [:toarray ""]
:global QvCheckDowns [:toarray ""]
:local QvLan ${LAN}
:if ([:len [/interface find name=$QvLan]] = 0) do={
  :local QvIsList false
  :do {
    :local QvFind [:parse ":global {LAN}; :return [/interface list find name=\${LAN}]"]
    :set QvIsList ([:len [$QvFind]] > 0)
  } on-error={}
  :set QvFail ("{LAN} = " . $QvLan . "：路由器上没有这个网卡。请在“LAN网卡名称”中填写路由器上内网网卡或网桥的名称，重新生成脚本")
  :if ($QvIsList) do={
    :set QvFail ("{LAN} = " . $QvLan . "：这是接口列表，不是网卡。请在“LAN网卡名称”中填写网桥的名称（默认配置为bridge），重新生成脚本")
  }
  $QvStopWith
}
:if ([:len [/interface bridge port find interface=$QvLan]] > 0) do={
  :local QvBridge [/interface bridge port get [find interface=$QvLan] bridge]
  :set QvFail ("{LAN} = " . $QvLan . "：这是网桥的端口，不能用作LAN网卡。请在“LAN网卡名称”中填写网桥的名称" . $QvBridge . "，重新生成脚本")
  $QvStopWith
}

/ip firewall mangle
:local QvMarks 0
:foreach QvRule in=[find dynamic=no disabled=no action=mark-packet] do={
  :if ([:typeof [:find $QvMine (";" . $QvRule . ";")]] != "num") do={
    :set QvMarks ($QvMarks + 1)
  }
}
:if ($QvMarks > 0) do={
  :local QvMsg ("Qostrel: " . $QvMarks . " 条路由器上原有的mark-packet规则：Qostrel在它们之后给自己线路的每个数据包打标记，使用这些标记的队列看到的流量可能变少")
  :put $QvMsg
  :log warning $QvMsg
}
:local QvSimple [:len [/queue simple find disabled=no]]
:if ($QvSimple > 0) do={
  :local QvMsg ("Qostrel: " . $QvSimple . " 个简单队列（/queue simple）：它们会对同样的流量再限速一次")
  :put $QvMsg
  :log warning $QvMsg
}
