## A line's own table and default route on v6, where a table is a routing
## mark. Stored as a string and run by :parse in the line's step, which sets
## the three globals. Neither release parses the other's code.
:global QvRouteGw
:global QvRouteTable
:global QvRouteWan
/ip route add comment=("Qostrel " . $QvRouteWan) dst-address=0.0.0.0/0 gateway=$QvRouteGw routing-mark=$QvRouteTable
