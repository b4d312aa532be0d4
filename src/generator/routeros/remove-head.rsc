## Qostrel_Remove gives the router back as it was before Qostrel's first
## import. It removes everything of Qostrel's by the code the import's
## clearing runs (clearing-*.rsc, cleanup.rsc), and gives back what an import
## changed rather than created (remove-giveback.rsc). Its records are the
## router's configuration, which a reboot keeps, and each names its item by
## properties rather than by an id: a FastTrack rule it disabled carries a tag
## at the end of its comment; the regexp an operator's own winbox had stands
## in the layer-7 protocol Qostrel_winbox. Every import keeps both as it finds
## them, so they hold what the first import changed. It counts what it
## removed and gave back, finds nothing to do when run again, and removes
## itself last.
## This file opens it: what the router holds before.
:local QvMangleBefore [:len [/ip firewall mangle find dynamic=no]]
:local QvRoutesBefore [:len [/ip route find dynamic=no]]
:local QvTreeBefore [:len [/queue tree find]]
:local QvTypesBefore [:len [/queue type find]]
:local QvListsBefore [:len [/ip firewall address-list find dynamic=no]]
:local QvNatBefore [:len [/ip firewall nat find]]
:local QvTasksBefore ([:len [/system scheduler find]] + [:len [/system script find]])
## v6 has no /routing table, nor parses code that names it.
:local QvOs [/system resource get version]
:local QvIsV7 ([:tonum [:pick $QvOs 0 [:find $QvOs "."]]] >= 7)
:local QvTablesBefore 0
:local QvCountTables ""
:if ($QvIsV7) do={
  :set QvCountTables [:parse ":return [:len [/routing table find name~\"^Qostrel_\"]]"]
  :set QvTablesBefore [$QvCountTables]
}
