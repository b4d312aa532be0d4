## Step 1: the release and the server's address. It reads nothing that v5
## cannot read, so a v5 router stops here with its own message. It sets, once,
## the messages that every line's check needs: the lines' steps stay small.
## Fills: SERVER, the server's global.
## Sets: QvStop, QvSeen, the line checks' messages, QvV7 (the release is 7 or
## later).

#脚本分步执行：每一步只在前一步完成后才执行，一步停止，后面的都不再执行
#第1步检查路由器的系统版本和Tarnwell服务器的IP地址，然后检查LAN网卡、路由器上原有的mangle规则和每条WAN线路：检查不通过时，路由器的设置没有任何改动
:local QvServer ${SERVER}
:global QvStop "Qostrel: 检查未通过，脚本已停止，路由器的设置没有任何改动"
:global QvSeen ";"
:global QvBadIp "：不是IPv4地址。请修改这条WAN线路的“网卡IP”，重新生成脚本"
:global QvSameIp "：与前面一条WAN线路的IP地址相同。请修改这条WAN线路的“网卡IP”，重新生成脚本"
:global QvNoWan "：路由器上没有这个网卡。请把这条WAN线路的“网卡名称”改为路由器上外网网卡的名称，重新生成脚本"
:global QvNoAddress "：网卡上还没有IP地址（PPPoE线路未连接？）。脚本继续执行，线路连接后计划任务Qostrel_Network会在一分钟内把它的地址放入Network"
:global QvNotHeld "：不是这个网卡的IP地址。请把“网卡IP”改为网卡上的地址，重新生成脚本。网卡上的地址："
:global QvSlowUp "：上传带宽必须大于1 Mbps（为1时队列不限速）。请修改这条WAN线路的“上传带宽”，重新生成脚本"
:global QvSlowDown "：下载带宽必须大于1 Mbps（为1时队列不限速）。请修改这条WAN线路的“下载带宽”，重新生成脚本"
:global QvV7 false
:local QvVersion [/system resource get version]
:local QvDot [:find $QvVersion "."]
:local QvFits false
:if ([:typeof $QvDot] = "num") do={
  :local QvMajor [:tonum [:pick $QvVersion 0 $QvDot]]
  :if ([:typeof $QvMajor] = "num") do={
    :set QvFits ($QvMajor >= 6)
    :set QvV7 ($QvMajor >= 7)
  }
}
:if (!$QvFits) do={
  :local QvMsg ("RouterOS = " . $QvVersion . "：这个脚本适用于RouterOS v6和v7，不能在这个版本上运行。请在“路由器系统”中选择“RouterOS v5”，重新生成脚本")
  :put $QvMsg
  :log error $QvMsg
  :error $QvStop
}
:if (([:typeof [:toip $QvServer]] != "ip") || ([:tostr [:toip $QvServer]] != $QvServer)) do={
  :local QvMsg ("{SERVER} = " . $QvServer . "：不是IPv4地址。请在“Tarnwell服务器IP地址”中填写服务器的IP地址，重新生成脚本")
  :put $QvMsg
  :log error $QvMsg
  :error $QvStop
}
