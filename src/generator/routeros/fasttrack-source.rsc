## FastTrack's rules of one menu disabled, as the router parses and runs
## them: /ip firewall filter, and where the router has IPv6, /ipv6 firewall
## filter (IPv6 FastTrack came with 7.18). Each carries the tag at the end of
## its comment, once: the record, kept in the rule itself, that an import
## disabled it (fasttrack-back-source.rsc). A release without FastTrack
## refuses the action's name, parsing or running; the caller catches that.
## Returns how many it disabled.
## Fills: TAG, the tag; MENU, the menu.
:local QvTag "{TAG}"
:local QvFast [{MENU} find action=fasttrack-connection disabled=no dynamic=no]
:foreach QvRule in=$QvFast do={
  :local QvNote [:tostr [{MENU} get $QvRule comment]]
  :local QvCut ([:len $QvNote] - [:len $QvTag])
  :if (($QvCut < 0) || ([:pick $QvNote $QvCut [:len $QvNote]] != $QvTag)) do={
    :set QvNote ($QvNote . $QvTag)
  }
  {MENU} set $QvRule comment=$QvNote disabled=yes
}
:return [:len $QvFast]
