## Since v6.29 FastTrack sends established connections past mangle and the
## queues, and the default configuration has it on. The rules are disabled,
## not removed: the operator can turn them on again, and Qostrel_Remove does
## (fasttrack-source.rsc, run through :parse). Starts the count of lines that
## get a table of their own.
## Fills: FASTTRACK, fasttrack-source.rsc for /ip firewall filter, as a quoted
## string.

#禁用FastTrack：经FastTrack转发的连接不经过mangle和队列，流控对它们不起作用。只禁用，不删除
:global QvRouted 0
:local QvOff 0
:do {
  :local QvDisable [:parse "{FASTTRACK}"]
  :set QvOff [$QvDisable]
} on-error={}
:local QvFastMsg ("Qostrel: 已禁用 " . $QvOff . " 条FastTrack规则（/ip firewall filter，需要时可重新启用）")
:put $QvFastMsg
:log info $QvFastMsg
