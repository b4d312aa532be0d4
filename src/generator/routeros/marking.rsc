## A line's marking from v6 on, a step a line. Each line's packet rules stand
## in chains of the line's own: a download packet arrives on the line's
## interface, an upload packet leaves through it, and each is tested against
## its own line's rules only. A download packet of a connection that already
## has its mark leaves the line's connection chain at once: it carries the
## DSCP the internet sends back, almost always 0, and would re-mark its
## connection as class 0; nor could it match the ICMP, DNS and Server rules
## before it, which its connection's first packet already decided. Each rule
## ends its chain, so their order decides which mark a packet gets.
## The classes are one loop on the router: the rules of a class differ only in
## its number and DSCP, and stand in the order the v5 text writes them; class
## 3 marks winbox first, class 4 marks web traffic first.
## A line with a way out gets a table of its own, Qostrel_eth<n>, with a
## default route through it, and each of its connection marks routes by that
## table in the mark's chain. Connections to the router coming in on the line
## get the line's mark In_Conn, so that the router answers through the line,
## and a forwarded one whose DSCP is no class's gets class 0 on its first
## packet, so that it is answered through the line too.
## Where the router has IPv6, the line's IPv6 marks follow, through :parse
## (six-line-source.rsc).
## Fills: W, the line's name (eth0), whose global is the interface; INDEX,
## the line's place from 0; LINEMARKS, the line's connection
## marks, after "<interface>_".
:global QvGws
:global QvRouteCode
:global QvRouted
:global QvRouteGw
:global QvRouteTable
:global QvRouteWan
:global QvSix
:global QvSixLineCode
:global QvSixWan
:local QvWan ${W}
:local QvConn ($QvWan . "_Conn")
:local QvUp ($QvWan . "_Qos_up")
:local QvDown ($QvWan . "_Qos_down")

/ip firewall mangle
add action=jump chain=prerouting comment=Qostrel disabled=no in-interface=$QvWan jump-target=$QvDown
add action=jump chain=postrouting comment=Qostrel disabled=no jump-target=$QvUp out-interface=$QvWan
add action=return chain=$QvConn comment=Qostrel connection-mark=!no-mark disabled=no in-interface=$QvWan
add action=mark-connection chain=$QvConn comment=("Qostrel " . $QvWan . "_icmp") disabled=no new-connection-mark=($QvWan . "_icmp_connect") passthrough=no protocol=icmp
add action=mark-connection chain=$QvConn comment=Qostrel disabled=no dst-port=53 new-connection-mark=($QvWan . "_icmp_connect") passthrough=no protocol=udp
add action=mark-packet chain=$QvUp comment=Qostrel connection-mark=($QvWan . "_icmp_connect") disabled=no new-packet-mark=($QvWan . "_icmp_up") passthrough=no src-address-list=Online
add action=mark-packet chain=$QvDown comment=Qostrel connection-mark=($QvWan . "_icmp_connect") disabled=no new-packet-mark=($QvWan . "_icmp_down") passthrough=no src-address-type=!local
add action=mark-connection chain=$QvConn comment=("Qostrel " . $QvWan . "_Server") disabled=no new-connection-mark=($QvWan . "_Server_Conn") passthrough=no src-address-list=Server_list
add action=mark-packet chain=$QvUp comment=Qostrel connection-mark=($QvWan . "_Server_Conn") disabled=no new-packet-mark=($QvWan . "_Server_up") out-interface=$QvWan passthrough=no src-address-list=Server_list
add action=mark-packet chain=$QvDown comment=Qostrel connection-mark=($QvWan . "_Server_Conn") disabled=no in-interface=$QvWan new-packet-mark=($QvWan . "_Server_down") passthrough=no src-address-type=!local

:local QvNote ("Qostrel " . $QvWan . "_Qos")
:foreach QvClass in={{"1";8};{"2";7};{"3";6};{"4";5};{"5";4};{"6";3};{"7";2};{"8";1};{"-1";33};{"-2";34};{"-3";35};{"0";0}} do={
  :local QvMark ($QvWan . "_" . [:pick $QvClass 0])
  :local QvConnMark ($QvMark . "_Conn")
  :if ([:pick $QvClass 0] = "3") do={
    add action=mark-connection chain=$QvConn comment=Qostrel disabled=no layer7-protocol=winbox new-connection-mark=$QvConnMark passthrough=no protocol=tcp
  }
  add action=mark-connection chain=$QvConn comment=$QvNote disabled=no dscp=[:pick $QvClass 1] new-connection-mark=$QvConnMark passthrough=no
  :set QvNote "Qostrel"
  :if ([:pick $QvClass 0] = "4") do={
    add action=mark-packet chain=$QvUp comment=Qostrel connection-bytes=0-500000 connection-mark=$QvConnMark disabled=no new-packet-mark=($QvMark . "_web_up") passthrough=no protocol=tcp src-address-list=Online
    add action=mark-packet chain=$QvDown comment=Qostrel connection-bytes=0-800000 connection-mark=$QvConnMark disabled=no new-packet-mark=($QvMark . "_web_down") passthrough=no protocol=tcp src-address-type=!local
  }
  add action=mark-packet chain=$QvUp comment=Qostrel connection-mark=$QvConnMark disabled=no new-packet-mark=($QvMark . "_up") passthrough=no src-address-list=Online
  add action=mark-packet chain=$QvDown comment=Qostrel connection-mark=$QvConnMark disabled=no new-packet-mark=($QvMark . "_down") passthrough=no src-address-type=!local
}

:local QvHop [:pick $QvGws {INDEX}]
:local QvLineTable "Qostrel_{W}"
:local QvLineMarks [:toarray "{LINEMARKS}"]
:if ($QvHop != "=") do={
  :set QvRouteGw [:pick $QvHop 1 [:len $QvHop]]
  :set QvRouteTable $QvLineTable
  :set QvRouteWan $QvWan
  :local QvAdd [:parse $QvRouteCode]
  $QvAdd
  /ip firewall mangle
  :foreach QvMark in=$QvLineMarks do={
    add action=mark-routing chain=("Qostrel_" . $QvMark) comment=Qostrel connection-mark=($QvWan . "_" . $QvMark) disabled=no new-routing-mark=$QvLineTable passthrough=no
  }
  add action=mark-connection chain=Qostrel_In comment=Qostrel disabled=no in-interface=$QvWan new-connection-mark=($QvWan . "_In_Conn") passthrough=no
  add action=mark-connection chain=$QvConn comment=Qostrel connection-mark=no-mark disabled=no in-interface=$QvWan new-connection-mark=($QvWan . "_0_Conn") passthrough=no
  :set QvRouted ($QvRouted + 1)
}
:if ($QvSix) do={
  :set QvSixWan $QvWan
  :local QvSixAdd [:parse $QvSixLineCode]
  $QvSixAdd
}
