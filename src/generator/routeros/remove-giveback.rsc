## What an import changed gives back. A FastTrack rule an import disabled
## carries the tag at the end of its comment: it is enabled again, its comment
## as it was. The operator's own disabled rules carry none and stay disabled.
## Releases without FastTrack refuse the action's name, which is caught. The
## operator's own winbox gets back the regexp Qostrel_winbox kept; a winbox
## Qostrel added (comment Qostrel) goes, unless a rule of the operator's still
## names it.
## Fills: TAG, the tag of a rule an import disabled.
:local QvTag "{TAG}"
:local QvEnabled 0
:do {
  :foreach QvRule in=[/ip firewall filter find action=fasttrack-connection] do={
    :local QvNote [:tostr [/ip firewall filter get $QvRule comment]]
    :local QvCut ([:len $QvNote] - [:len $QvTag])
    :if (($QvCut >= 0) && ([:pick $QvNote $QvCut [:len $QvNote]] = $QvTag)) do={
      /ip firewall filter set $QvRule comment=[:pick $QvNote 0 $QvCut] disabled=no
      :set QvEnabled ($QvEnabled + 1)
    }
  }
} on-error={}
/ip firewall layer7-protocol
:local QvWinbox "winbox没有改动"
:foreach QvRecord in=[find name=Qostrel_winbox] do={
  :foreach QvOwn in=[find name=winbox] do={
    set $QvOwn regexp=[get $QvRecord regexp]
    :set QvWinbox "winbox已恢复原来的regexp"
  }
  remove $QvRecord
}
:foreach QvAdded in=[find name=winbox comment=Qostrel] do={
  :do {
    remove $QvAdded
    :set QvWinbox "已删除Qostrel添加的winbox"
  } on-error={}
}
