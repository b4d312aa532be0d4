## Qostrel_Remove's FastTrack, one menu's (fasttrack-source.rsc): a rule an
## import disabled carries the tag and is enabled again, its comment as it
## was. The operator's own disabled rules carry none and stay disabled.
## Returns how many it enabled.
## Fills: TAG, the tag; MENU, the menu.
:local QvTag "{TAG}"
:local QvEnabled 0
:foreach QvRule in=[{MENU} find action=fasttrack-connection] do={
  :local QvNote [:tostr [{MENU} get $QvRule comment]]
  :local QvCut ([:len $QvNote] - [:len $QvTag])
  :if (($QvCut >= 0) && ([:pick $QvNote $QvCut [:len $QvNote]] = $QvTag)) do={
    {MENU} set $QvRule comment=[:pick $QvNote 0 $QvCut] disabled=no
    :set QvEnabled ($QvEnabled + 1)
  }
}
:return $QvEnabled
