## Opens a line's marking from v6 on. Each line's packet rules stand in
## chains of the line's own: a download packet arrives on the line's
## interface, an upload packet leaves through it, and each is tested against
## its own line's rules only. A download packet of a connection that already
## has its mark leaves the line's connection chain at once: it carries the
## DSCP the internet sends back, almost always 0, and would re-mark its
## connection as class 0; nor could it match the ICMP, DNS and Server rules
## before it, which its connection's first packet already decided.
## Fills: W, the line's name (eth0), whose global is the interface.
## Sets the locals the rest of the line's step uses: QvWan, QvConn, QvUp and
## QvDown, the interface and its three chains.
:local QvWan ${W}
:local QvConn ($QvWan . "_Conn")
:local QvUp ($QvWan . "_Qos_up")
:local QvDown ($QvWan . "_Qos_down")
add action=jump chain=prerouting disabled=no in-interface=$QvWan jump-target=$QvDown
add action=jump chain=postrouting disabled=no jump-target=$QvUp out-interface=$QvWan
add action=return chain=$QvConn connection-mark=!no-mark disabled=no in-interface=$QvWan
