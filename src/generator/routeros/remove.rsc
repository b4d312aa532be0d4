## Qostrel_Remove gives the router back as it was before Qostrel's first
## import. It removes everything of Qostrel's by the code the import's
## clearing runs (owned-mangle.rsc, queue-rows.rsc, clearing-*.rsc,
## cleanup.rsc): what has Qostrel's mark, or is exactly what an earlier
## release made. Everything else is the operator's and stays. It gives back what an import
## changed rather than created (below). Its records are the
## router's configuration, which a reboot keeps, and each names its item by
## properties rather than by an id: a FastTrack rule it disabled carries a tag
## at the end of its comment; the regexp an operator's own winbox had stands
## in the layer-7 protocol Qostrel_winbox. Every import keeps both as it finds
## them, so they hold what the first import changed. It counts what it
## removed and gave back, finds nothing to do when run again, and removes
## itself last.
## Fills: CLEARING, the clearing as the router stores it; CLEANUP, cleanup.rsc
## for the server; FASTBACK and SIXFASTBACK, fasttrack-back-source.rsc for
## /ip firewall filter and for /ipv6 firewall filter, as quoted strings.
## What the router holds before; v6 has no /routing table, nor parses code
## that names it.
## Also MARKEDORBARE, the pattern of a comment with Qostrel's mark, or of
## none, as earlier versions left theirs.
:local QvMangleBefore [:len [/ip firewall mangle find dynamic=no]]
:local QvRoutesBefore [:len [/ip route find dynamic=no]]
:local QvTreeBefore [:len [/queue tree find]]
:local QvTypesBefore [:len [/queue type find]]
:local QvListsBefore [:len [/ip firewall address-list find dynamic=no]]
:local QvNatBefore [:len [/ip firewall nat find]]
:local QvTasksBefore ([:len [/system scheduler find]] + [:len [/system script find]])
:local QvOs [/system resource get version]
:local QvIsV7 ([:tonum [:pick $QvOs 0 [:find $QvOs "."]]] >= 7)
:local QvTablesBefore 0
:local QvCountTables ""
:if ($QvIsV7) do={
  :set QvCountTables [:parse ":return [:len [/routing table find name~\"^Qostrel_\"]]"]
  :set QvTablesBefore [$QvCountTables]
}
:local QvHasSix ($QvIsV7 || ([:len [/system package find name=ipv6 disabled=no]] > 0))
:local QvSixBefore 0
:local QvCountSix ""
:if ($QvHasSix) do={
  :set QvCountSix [:parse ":return [:len [/ipv6 firewall mangle find dynamic=no]]"]
  :set QvSixBefore [$QvCountSix]
}
{CLEARING}
{CLEANUP}
## Qostrel's schedulers and its backup script, by name, unless they carry the
## operator's own comment.
:foreach QvName in={"Online_Stat";"Qostrel_Network"} do={
  :foreach QvTask in=[/system scheduler find name=$QvName] do={
    :if ([:tostr [/system scheduler get $QvTask comment]] ~ "{MARKEDORBARE}") do={
      /system scheduler remove $QvTask
    }
  }
}
:foreach QvScript in=[/system script find name=brookfenbackup] do={
  :if ([:tostr [/system script get $QvScript comment]] ~ "{MARKEDORBARE}") do={
    /system script remove $QvScript
  }
}
## What an import changed gives back. A FastTrack rule an import disabled
## carries the tag at the end of its comment: it is enabled again, its comment
## as it was (fasttrack-back-source.rsc), IPv6's where the router has an /ipv6
## menu. Releases without FastTrack refuse the action's name, which is caught.
## The operator's own winbox gets back the regexp Qostrel_winbox kept; a
## winbox Qostrel added (comment Qostrel) goes, unless a rule of the
## operator's still names it.
:local QvEnabled 0
:do {
  :local QvEnable [:parse "{FASTBACK}"]
  :set QvEnabled [$QvEnable]
} on-error={}
:local QvSixEnabled 0
:if ($QvHasSix) do={
  :do {
    :local QvSixEnable [:parse "{SIXFASTBACK}"]
    :set QvSixEnabled [$QvSixEnable]
  } on-error={}
}
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
## Qostrel_Remove's one line, on the terminal and in the log: what it removed
## and gave back, counted; or that nothing of Qostrel's was left. Then it
## removes itself.
:local QvTables 0
:if ($QvIsV7) do={
  :set QvTables ($QvTablesBefore - [$QvCountTables])
}
:local QvSix 0
:if ($QvHasSix) do={
  :set QvSix ($QvSixBefore - [$QvCountSix])
}
:local QvMangle ($QvMangleBefore - [:len [/ip firewall mangle find dynamic=no]])
:local QvRoutes ($QvRoutesBefore - [:len [/ip route find dynamic=no]])
:local QvTree ($QvTreeBefore - [:len [/queue tree find]])
:local QvTypes ($QvTypesBefore - [:len [/queue type find]])
:local QvLists ($QvListsBefore - [:len [/ip firewall address-list find dynamic=no]])
:local QvNat ($QvNatBefore - [:len [/ip firewall nat find]])
:local QvTasks ($QvTasksBefore - [:len [/system scheduler find]] - [:len [/system script find]])
:local QvGone ($QvMangle + $QvSix + $QvRoutes + $QvTables + $QvTree + $QvTypes + $QvLists + $QvNat + $QvTasks)
:local QvMsg "Qostrel_Remove: 路由器上没有Qostrel的设置，没有删除或恢复任何东西"
:if (($QvGone + $QvEnabled + $QvSixEnabled > 0) || ($QvWinbox != "winbox没有改动")) do={
  :set QvMsg ("Qostrel_Remove: 已删除Qostrel的 " . $QvMangle . " 条mangle规则、" . $QvSix . " 条IPv6 mangle规则、" . $QvRoutes . " 条路由、" . $QvTables . " 个路由表、")
  :set QvMsg ($QvMsg . $QvTree . " 个队列树队列、" . $QvTypes . " 个PCQ类型、" . $QvLists . " 个地址列表条目、" . $QvNat . " 条端口映射、")
  :set QvMsg ($QvMsg . $QvTasks . " 个计划任务和脚本；已重新启用 " . $QvEnabled . " 条FastTrack规则和 " . $QvSixEnabled . " 条IPv6 FastTrack规则；" . $QvWinbox)
  :local QvKept ([:len [/ip firewall address-list find list=Network dynamic=no]] + [:len [/ip firewall address-list find list=Server_list dynamic=no]])
  :set QvMsg ($QvMsg . "。保留了路由器上原有的 " . [:len [/ip firewall mangle find dynamic=no]] . " 条mangle规则、" . [:len [/queue tree find]] . " 个队列树队列和Server_list、Network中的 " . $QvKept . " 个条目")
  :set QvMsg ($QvMsg . "。路由器已恢复到导入Qostrel之前的设置，备份文件保留在Files中")
}
:put $QvMsg
:log info $QvMsg
/system script environment remove [find name=QvMine]
/system script environment remove [find name=QvQueueRows]
/system script environment remove [find name=QvTreeLeft]
/system script environment remove [find name=QvTypesLeft]
/system script remove [find name=Qostrel_Remove]
