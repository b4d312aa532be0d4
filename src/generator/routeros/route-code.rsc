## Step 4, end: the code that adds a line's own table and default route, run
## by :parse in each line's step: v6 and v7 read it differently, and neither
## reads the other's.
## Fills: ROUTESIX and ROUTESEVEN, route-v6.rsc and route-v7.rsc as quoted
## strings.
:global QvV7
:global QvRouteCode "{ROUTESIX}"
:if ($QvV7) do={
  :set QvRouteCode "{ROUTESEVEN}"
}
