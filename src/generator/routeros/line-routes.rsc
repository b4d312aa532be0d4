## A line with a way out gets a table of its own, Qostrel_eth<n>, with a
## default route through it, and each of its connection marks routes by that
## table in the mark's chain. Connections to the router coming in on the line
## get the line's mark In_Conn, so that the router answers through the line,
## and a forwarded one whose DSCP is no class's gets class 0 on its first
## packet, so that it is answered through the line too.
## Fills: INDEX (the line's place, from 0), ETH (eth0), MARKS (the line's
## connection marks, after "<interface>_"). Needs line-chains.rsc's locals.
:global QvGws
:global QvRouteCode
:global QvRouted
:global QvRouteGw
:global QvRouteTable
:global QvRouteWan
:local QvHop [:pick $QvGws {INDEX}]
:local QvLineTable "Qostrel_{ETH}"
:local QvLineMarks {MARKS}
:if ($QvHop != "=") do={
  :set QvRouteGw [:pick $QvHop 1 [:len $QvHop]]
  :set QvRouteTable $QvLineTable
  :set QvRouteWan $QvWan
  :local QvAdd [:parse $QvRouteCode]
  $QvAdd
  /ip firewall mangle
  :foreach QvMark in=$QvLineMarks do={
    add action=mark-routing chain=("Qostrel_" . $QvMark) connection-mark=($QvWan . "_" . $QvMark) disabled=no new-routing-mark=$QvLineTable passthrough=no
  }
  add action=mark-connection chain=Qostrel_In disabled=no in-interface=$QvWan new-connection-mark=($QvWan . "_In_Conn") passthrough=no
  add action=mark-connection chain=$QvConn connection-mark=no-mark disabled=no in-interface=$QvWan new-connection-mark=($QvWan . "_0_Conn") passthrough=no
  :set QvRouted ($QvRouted + 1)
}
