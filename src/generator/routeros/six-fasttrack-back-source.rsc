## Qostrel_Remove's IPv6 FastTrack: a rule an import disabled carries the tag
## and is enabled again, its comment as it was (six-fasttrack-source.rsc).
## Returns how many it enabled.
## Fills: TAG, the tag.
:local QvTag "{TAG}"
:local QvEnabled 0
:foreach QvRule in=[/ipv6 firewall filter find action=fasttrack-connection] do={
  :local QvNote [:tostr [/ipv6 firewall filter get $QvRule comment]]
  :local QvCut ([:len $QvNote] - [:len $QvTag])
  :if (($QvCut >= 0) && ([:pick $QvNote $QvCut [:len $QvNote]] = $QvTag)) do={
    /ipv6 firewall filter set $QvRule comment=[:pick $QvNote 0 $QvCut] disabled=no
    :set QvEnabled ($QvEnabled + 1)
  }
}
:return $QvEnabled
