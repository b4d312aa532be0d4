## Routing by Qostrel's marks, after every line's marking, where only packets
## from the LAN of a marked connection reach it; never a connection's first
## packet, whose mark can only be the operator's (PCC's, which routes it
## already). prerouting, before routing, jumps by what the packet most likely
## says of its connection's class (protocol and source, as the line's
## connection chain tests them first, then DSCP, 0 first as most traffic
## carries it) to that class's chain, and only when that finds no line, to
## every chain. Connections to the router are marked in input, and their
## answers routed in output. Nothing when no line got a table.
## Fills: LAN, the LAN interface's global; LINEMARKS, a line's connection marks.

#按连接标记把每个连接固定在它的WAN线路上：LAN来的数据包在路由之前按它的协议、来源和DSCP跳到对应分类的链
:global QvRouted
:local QvLan ${LAN}
:local QvLineMarks [:toarray "{LINEMARKS}"]
:if ($QvRouted > 0) do={
  /ip firewall mangle
  add action=jump chain=prerouting comment=Qostrel connection-mark=!no-mark connection-state=established,related disabled=no in-interface=$QvLan jump-target=Qostrel_icmp_connect protocol=icmp
  add action=jump chain=prerouting comment=Qostrel connection-mark=!no-mark connection-state=established,related disabled=no dst-port=53 in-interface=$QvLan jump-target=Qostrel_icmp_connect protocol=udp
  add action=jump chain=prerouting comment=Qostrel connection-mark=!no-mark connection-state=established,related disabled=no in-interface=$QvLan jump-target=Qostrel_Server_Conn src-address-list=Server_list
  :foreach QvClass in={{"0";0};{"4";5};{"1";8};{"2";7};{"3";6};{"5";4};{"6";3};{"7";2};{"8";1};{"-1";33};{"-2";34};{"-3";35}} do={
    add action=jump chain=prerouting comment=Qostrel connection-mark=!no-mark connection-state=established,related disabled=no dscp=[:pick $QvClass 1] in-interface=$QvLan jump-target=("Qostrel_" . [:pick $QvClass 0] . "_Conn")
  }
  add action=jump chain=prerouting comment=Qostrel connection-mark=!no-mark connection-state=established,related disabled=no in-interface=$QvLan jump-target=Qostrel_Route
  :foreach QvMark in=$QvLineMarks do={
    :if ($QvMark != "In_Conn") do={
      add action=jump chain=Qostrel_Route comment=Qostrel disabled=no jump-target=("Qostrel_" . $QvMark)
    }
  }
  add action=jump chain=input comment=Qostrel connection-mark=no-mark disabled=no jump-target=Qostrel_In
  add action=jump chain=output comment=Qostrel connection-mark=!no-mark disabled=no jump-target=Qostrel_In_Conn
}
