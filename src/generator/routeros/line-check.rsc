## One line's check, in a block of its own for its locals. An address must read
## back exactly as typed: the router takes "1.2.3" for 1.2.0.3 and "010.1.1.1"
## for 8.1.1.1. QvSeen holds the addresses so far as ";a;b;": the address list
## refuses the same address twice. The address must be one the line's
## interface holds, or no port forward ever matches it; an interface with no
## address yet (a PPPoE line that is down) only warns, as the Network follower
## takes its address once the line is up. A bandwidth of 1 Mbps would give the
## line's root max-limit=0: no limit at all. The first check that fails gives
## the message.
## Fills: W, the line's name (eth0); its globals are ${W}, ${W}ip, ${W}Rx and
## ${W}Tx.
{
  :local QvIp ${W}ip
  :local QvWan ${W}
  :local QvUp ${W}Rx
  :local QvDown ${W}Tx
  :local QvMsg ""
  :if (([:typeof [:toip $QvIp]] != "ip") || ([:tostr [:toip $QvIp]] != $QvIp)) do={
    :set QvMsg ("{W}ip = " . $QvIp . $QvBadIp)
  }
  :if (($QvMsg = "") && ([:typeof [:find $QvSeen (";" . $QvIp . ";")]] = "num")) do={
    :set QvMsg ("{W}ip = " . $QvIp . $QvSameIp)
  }
  :set QvSeen ($QvSeen . $QvIp . ";")
  :if (($QvMsg = "") && ([:len [/interface find name=$QvWan]] = 0)) do={
    :set QvMsg ("{W} = " . $QvWan . $QvNoWan)
  }
  :local QvHeld ""
  :if ($QvMsg = "") do={
    :foreach QvAddress in=[/ip address find interface=$QvWan disabled=no] do={
      :local QvCidr [:tostr [/ip address get $QvAddress address]]
      :set QvHeld ($QvHeld . " " . [:pick $QvCidr 0 [:find $QvCidr "/"]])
    }
  }
  :if (($QvMsg = "") && ($QvHeld = "")) do={
    :local QvWarn ("{W}ip = " . $QvIp . $QvNoAddress)
    :put $QvWarn
    :log warning $QvWarn
  }
  :if (($QvMsg = "") && ($QvHeld != "") && ([:typeof [:find ($QvHeld . " ") (" " . $QvIp . " ")]] != "num")) do={
    :set QvMsg ("{W}ip = " . $QvIp . $QvNotHeld . $QvHeld)
  }
  :if (($QvMsg = "") && ($QvUp <= 1000000)) do={
    :set QvMsg ("{W}Rx = " . $QvUp . $QvSlowUp)
  }
  :if (($QvMsg = "") && ($QvDown <= 1000000)) do={
    :set QvMsg ("{W}Tx = " . $QvDown . $QvSlowDown)
  }
  :if ($QvMsg != "") do={
    :put $QvMsg
    :log error $QvMsg
    :error $QvStop
  }
  :set QvLines ($QvLines, $QvWan)
}
