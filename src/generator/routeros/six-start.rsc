## IPv6, where the router has it (six-check.rsc): its FastTrack rules
## disabled and its classes added, each through :parse; the code that adds a
## line's IPv6 marks is kept for the lines' steps (marking.rsc).
## Fills: SIXFASTTRACK, fasttrack-source.rsc for /ipv6 firewall filter;
## SIXSTART and SIXLINE, six-start-source.rsc and six-line-source.rsc; each as
## a quoted string.

#IPv6：同样禁用IPv6 FastTrack，按同样的分类标记IPv6连接，IPv6数据包进入同样的队列
:global QvSix
:global QvSixLineCode "{SIXLINE}"
:if ($QvSix) do={
  :local QvSixOff 0
  :do {
    :local QvSixFast [:parse "{SIXFASTTRACK}"]
    :set QvSixOff [$QvSixFast]
  } on-error={}
  :local QvSixMsg ("Qostrel: 已禁用 " . $QvSixOff . " 条IPv6 FastTrack规则（/ipv6 firewall filter，需要时可重新启用）")
  :put $QvSixMsg
  :log info $QvSixMsg
  :local QvSixAdd [:parse "{SIXSTART}"]
  $QvSixAdd
}
