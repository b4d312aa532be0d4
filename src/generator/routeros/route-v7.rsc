## A line's own table and default route on v7: a table in /routing table. v7
## resolves an address gateway of another table in main, as its policy routing
## example writes it (gateway=<address>@main); v6 resolves it in main anyway.
## Stored as a string and run by :parse in the line's step, which sets the
## three globals.
:global QvRouteGw
:global QvRouteTable
:global QvRouteWan
:local QvVia $QvRouteGw
:if ([:typeof [:toip $QvRouteGw]] = "ip") do={
  :set QvVia ($QvRouteGw . "@main")
}
/routing table add comment=Qostrel fib name=$QvRouteTable
/ip route add comment=("Qostrel " . $QvRouteWan) dst-address=0.0.0.0/0 gateway=$QvVia routing-table=$QvRouteTable
