## The checks of the lines of a step, which line-check-add.rsc lists, each in
## a block of its own for its locals. An address must read back exactly as
## typed: the router takes "1.2.3" for 1.2.0.3 and "010.1.1.1" for 8.1.1.1.
## QvSeen holds the addresses so far as ";a;b;": the address list refuses
## the same address twice. The address must be one the line's interface
## holds, or no port forward ever matches it; an interface with no address
## yet (a PPPoE line that is down) only warns, as the Network follower takes
## its address once the line is up. A bandwidth of 1 Mbps would give the
## line's root max-limit=0: no limit at all. The first check that fails
## stops the script with its message. Empties the lists for the next step.
:global QvCheckNames
:global QvCheckWans
:global QvCheckIps
:global QvCheckUps
:global QvCheckDowns
:global QvSeen
:global QvLines
:global QvFail
:global QvStopWith
:for QvAt from=0 to=([:len $QvCheckNames] - 1) do={
  :local QvName [:pick $QvCheckNames $QvAt]
  :local QvWan [:pick $QvCheckWans $QvAt]
  :local QvIp [:pick $QvCheckIps $QvAt]
  :local QvUp [:pick $QvCheckUps $QvAt]
  :local QvDown [:pick $QvCheckDowns $QvAt]
  :local QvMsg ""
  :if (([:typeof [:toip $QvIp]] != "ip") || ([:tostr [:toip $QvIp]] != $QvIp)) do={
    :set QvMsg ($QvName . "ip = " . $QvIp . "：不是IPv4地址。请修改这条WAN线路的“网卡IP”，重新生成脚本")
  }
  :if (($QvMsg = "") && ([:typeof [:find $QvSeen (";" . $QvIp . ";")]] = "num")) do={
    :set QvMsg ($QvName . "ip = " . $QvIp . "：与前面一条WAN线路的IP地址相同。请修改这条WAN线路的“网卡IP”，重新生成脚本")
  }
  :set QvSeen ($QvSeen . $QvIp . ";")
  :if (($QvMsg = "") && ([:len [/interface find name=$QvWan]] = 0)) do={
    :set QvMsg ($QvName . " = " . $QvWan . "：路由器上没有这个网卡。请把这条WAN线路的“网卡名称”改为路由器上外网网卡的名称，重新生成脚本")
  }
  :local QvHeld ""
  :if ($QvMsg = "") do={
    :foreach QvAddress in=[/ip address find interface=$QvWan disabled=no] do={
      :local QvCidr [:tostr [/ip address get $QvAddress address]]
      :set QvHeld ($QvHeld . " " . [:pick $QvCidr 0 [:find $QvCidr "/"]])
    }
  }
  :if (($QvMsg = "") && ($QvHeld = "")) do={
    :local QvWarn ($QvName . "ip = " . $QvIp . "：网卡上还没有IP地址（PPPoE线路未连接？）。脚本继续执行，线路连接后计划任务Qostrel_Network会在一分钟内把它的地址放入Network")
    :put $QvWarn
    :log warning $QvWarn
  }
  :if (($QvMsg = "") && ($QvHeld != "") && ([:typeof [:find ($QvHeld . " ") (" " . $QvIp . " ")]] != "num")) do={
    :set QvMsg ($QvName . "ip = " . $QvIp . "：不是这个网卡的IP地址。请把“网卡IP”改为网卡上的地址，重新生成脚本。网卡上的地址：" . $QvHeld)
  }
  :if (($QvMsg = "") && ($QvUp <= 1000000)) do={
    :set QvMsg ($QvName . "Rx = " . $QvUp . "：上传带宽必须大于1 Mbps（为1时队列不限速）。请修改这条WAN线路的“上传带宽”，重新生成脚本")
  }
  :if (($QvMsg = "") && ($QvDown <= 1000000)) do={
    :set QvMsg ($QvName . "Tx = " . $QvDown . "：下载带宽必须大于1 Mbps（为1时队列不限速）。请修改这条WAN线路的“下载带宽”，重新生成脚本")
  }
  :if ($QvMsg != "") do={
    :set QvFail $QvMsg
    $QvStopWith
  }
  :set QvLines ($QvLines, $QvWan)
}
:set QvCheckNames [:toarray ""]
:set QvCheckWans [:toarray ""]
:set QvCheckIps [:toarray ""]
:set QvCheckUps [:toarray ""]
:set QvCheckDowns [:toarray ""]
