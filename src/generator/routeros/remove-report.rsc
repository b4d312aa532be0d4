## Qostrel_Remove's one line, on the terminal and in the log: what it removed
## and gave back, counted; or that nothing of Qostrel's was left. Then it
## removes itself.
:local QvTables 0
:if ($QvIsV7) do={
  :set QvTables ($QvTablesBefore - [$QvCountTables])
}
:local QvMangle ($QvMangleBefore - [:len [/ip firewall mangle find dynamic=no]])
:local QvRoutes ($QvRoutesBefore - [:len [/ip route find dynamic=no]])
:local QvTree ($QvTreeBefore - [:len [/queue tree find]])
:local QvTypes ($QvTypesBefore - [:len [/queue type find]])
:local QvLists ($QvListsBefore - [:len [/ip firewall address-list find dynamic=no]])
:local QvNat ($QvNatBefore - [:len [/ip firewall nat find]])
:local QvTasks ($QvTasksBefore - [:len [/system scheduler find]] - [:len [/system script find]])
:local QvGone ($QvMangle + $QvRoutes + $QvTables + $QvTree + $QvTypes + $QvLists + $QvNat + $QvTasks)
:local QvMsg "Qostrel_Remove: 路由器上没有Qostrel的设置，没有删除或恢复任何东西"
:if (($QvGone + $QvEnabled > 0) || ($QvWinbox != "winbox没有改动")) do={
  :set QvMsg ("Qostrel_Remove: 已删除Qostrel的 " . $QvMangle . " 条mangle规则、" . $QvRoutes . " 条路由、" . $QvTables . " 个路由表、")
  :set QvMsg ($QvMsg . $QvTree . " 个队列树队列、" . $QvTypes . " 个PCQ类型、" . $QvLists . " 个地址列表条目、" . $QvNat . " 条端口映射、")
  :set QvMsg ($QvMsg . $QvTasks . " 个计划任务和脚本；已重新启用 " . $QvEnabled . " 条FastTrack规则；" . $QvWinbox)
  :set QvMsg ($QvMsg . "。路由器已恢复到导入Qostrel之前的设置，备份文件保留在Files中")
}
:put $QvMsg
:log info $QvMsg
/system script remove [find name=Qostrel_Remove]
