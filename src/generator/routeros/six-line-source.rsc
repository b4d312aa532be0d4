## A line's IPv6 packet marks, as the router parses and runs them in the
## line's step where it has IPv6: the marks IPv4's packets of the line get,
## by the connection's class (six-start-source.rsc), so that the line's queues
## take both. A download packet arrives on the line's interface, an upload
## packet leaves through it. The classes are a loop, in the order of the
## line's IPv4 marks; class 4 marks small web traffic first. The step sets
## the global.
:global QvSixWan
:local QvWan $QvSixWan
:local QvUp ($QvWan . "_Qos_up")
:local QvDown ($QvWan . "_Qos_down")
/ipv6 firewall mangle
add action=jump chain=prerouting comment=Qostrel disabled=no in-interface=$QvWan jump-target=$QvDown
add action=jump chain=postrouting comment=Qostrel disabled=no jump-target=$QvUp out-interface=$QvWan
:foreach QvClass in={"icmp";"1";"2";"3";"4";"5";"6";"7";"8";"-1";"-2";"-3";"0"} do={
  :local QvConn ($QvClass . "_Conn")
  :if ($QvClass = "icmp") do={
    :set QvConn "icmp_connect"
  }
  :local QvMark ($QvWan . "_" . $QvClass)
  :if ($QvClass = "4") do={
    add action=mark-packet chain=$QvUp comment=Qostrel connection-bytes=0-500000 connection-mark=$QvConn disabled=no new-packet-mark=($QvMark . "_web_up") passthrough=no protocol=tcp
    add action=mark-packet chain=$QvDown comment=Qostrel connection-bytes=0-800000 connection-mark=$QvConn disabled=no new-packet-mark=($QvMark . "_web_down") passthrough=no protocol=tcp
  }
  add action=mark-packet chain=$QvUp comment=Qostrel connection-mark=$QvConn disabled=no new-packet-mark=($QvMark . "_up") passthrough=no
  add action=mark-packet chain=$QvDown comment=Qostrel connection-mark=$QvConn disabled=no new-packet-mark=($QvMark . "_down") passthrough=no
}
