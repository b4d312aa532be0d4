## Step 1: the release and the server's address. It reads nothing that v5
## cannot read, so a v5 router stops here with its own message.
## Fills: SERVER, the server's global; STOPCODE, stop-source.rsc as a quoted
## string.
## Sets: QvStop, what ends a run that a check stopped; QvStopWith, the way to
## stop; QvV7, the release is 7 or later.

#脚本分步执行：每一步只在前一步完成后才执行，一步停止，后面的都不再执行
#第1步检查路由器的系统版本和Tarnwell服务器的IP地址，然后检查LAN网卡、路由器上原有的mangle规则和每条WAN线路：检查不通过时，路由器的设置没有任何改动
:global QvFail
:global QvStop "Qostrel: 检查未通过，脚本已停止，路由器的设置没有任何改动"
:global QvStopWith [:parse "{STOPCODE}"]
:global QvV7 false
:local QvServer ${SERVER}
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
  :set QvFail ("RouterOS = " . $QvVersion . "：这个脚本适用于RouterOS v6和v7，不能在这个版本上运行。请在“路由器系统”中选择“RouterOS v5”，重新生成脚本")
  $QvStopWith
}
:if (([:typeof [:toip $QvServer]] != "ip") || ([:tostr [:toip $QvServer]] != $QvServer)) do={
  :set QvFail ("{SERVER} = " . $QvServer . "：不是IPv4地址。请在“Tarnwell服务器IP地址”中填写服务器的IP地址，重新生成脚本")
  $QvStopWith
}
