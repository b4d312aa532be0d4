## IPv6 FastTrack (7.18 on) sends established IPv6 connections past mangle and
## the queues, as IPv4's does: its rules are disabled the same way, with the
## same tag (fasttrack.rsc). A release without it refuses the action's name
## while parsing, which the step catches. Returns how many it disabled.
## Fills: TAG, the tag.
:local QvTag "{TAG}"
:local QvFast [/ipv6 firewall filter find action=fasttrack-connection disabled=no dynamic=no]
:foreach QvRule in=$QvFast do={
  :local QvNote [:tostr [/ipv6 firewall filter get $QvRule comment]]
  :local QvCut ([:len $QvNote] - [:len $QvTag])
  :if (($QvCut < 0) || ([:pick $QvNote $QvCut [:len $QvNote]] != $QvTag)) do={
    :set QvNote ($QvNote . $QvTag)
  }
  /ipv6 firewall filter set $QvRule comment=$QvNote disabled=yes
}
:return [:len $QvFast]
