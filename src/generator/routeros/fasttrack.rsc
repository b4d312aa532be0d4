## Since v6.29 FastTrack sends established connections past mangle and the
## queues, and the default configuration has it on. The rules are disabled,
## not removed: the operator can turn them on again, and Qostrel_Remove does.
## Each carries a tag at the end of its comment, once: the record, kept in the
## rule itself, that an import disabled it. Releases without FastTrack refuse
## the action's name, which is caught. Starts the count of lines that get a
## table of their own.
## Fills: TAG, the tag.

#禁用FastTrack：经FastTrack转发的连接不经过mangle和队列，流控对它们不起作用。只禁用，不删除
:global QvRouted 0
:local QvTag "{TAG}"
:local QvFast [:toarray ""]
:do {
  :set QvFast [/ip firewall filter find action=fasttrack-connection disabled=no dynamic=no]
} on-error={}
:foreach QvRule in=$QvFast do={
  :local QvNote [:tostr [/ip firewall filter get $QvRule comment]]
  :local QvCut ([:len $QvNote] - [:len $QvTag])
  :if (($QvCut < 0) || ([:pick $QvNote $QvCut [:len $QvNote]] != $QvTag)) do={
    :set QvNote ($QvNote . $QvTag)
  }
  /ip firewall filter set $QvRule comment=$QvNote disabled=yes
}
:local QvFastMsg ("Qostrel: 已禁用 " . [:len $QvFast] . " 条FastTrack规则（/ip firewall filter，需要时可重新启用）")
:put $QvFastMsg
:log info $QvFastMsg
