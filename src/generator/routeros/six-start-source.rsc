## IPv6's classes, once for all lines, as the router parses and runs them
## where it has IPv6 (six-start.rsc). IPv6 has no NAT and no PCC: a
## connection's class is all its mark holds, and the line its packets take is
## the interface they cross. So the class is decided on the connection's first
## forwarded packet, the same way as IPv4's: ICMPv6 and DNS as ICMP's class,
## then each DSCP class; any other DSCP is class 0, so that every IPv6
## connection is shaped. There is no server class (the server is an IPv4
## address) and no winbox class (IPv6 mangle has no layer-7 matcher). The
## router's own connections never reach forward and carry no mark: no Online
## list is needed to tell them from the clients'.
/ipv6 firewall mangle
add action=jump chain=forward comment=Qostrel connection-mark=no-mark disabled=no jump-target=Qostrel_Class
add action=mark-connection chain=Qostrel_Class comment="Qostrel icmp" disabled=no new-connection-mark=icmp_connect passthrough=no protocol=icmpv6
add action=mark-connection chain=Qostrel_Class comment=Qostrel disabled=no dst-port=53 new-connection-mark=icmp_connect passthrough=no protocol=udp
:foreach QvClass in={{"1";8};{"2";7};{"3";6};{"4";5};{"5";4};{"6";3};{"7";2};{"8";1};{"-1";33};{"-2";34};{"-3";35}} do={
  add action=mark-connection chain=Qostrel_Class comment=Qostrel disabled=no dscp=[:pick $QvClass 1] new-connection-mark=([:pick $QvClass 0] . "_Conn") passthrough=no
}
add action=mark-connection chain=Qostrel_Class comment=Qostrel disabled=no new-connection-mark=0_Conn passthrough=no
