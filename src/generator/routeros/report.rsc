## The last block, after the steps. Only a complete run sets the last step's
## number: then it confirms what was created, counted against what the
## clearing left. Otherwise it names the step that stopped, by the kinds in
## QvKinds, in the order of TStepKind; a kind done once a line names the
## line. A run that changed something says how to go back, once Qostrel_Remove
## is there. It removes the helper globals either way.
## Fills: LAST, the last step; CHECKS, the last step that only checks; RUNS,
## {first step;kind} of each run of steps of one kind; LINES, the number of
## lines; RULES and QUEUES, the mangle rules (but the routing's) and queues
## the lines take.
{
#核对创建的数量，报告结果，删除脚本的辅助全局变量
:global QvStep
:global QvTypes0
:global QvMangle0
:global QvTree0
:global QvRouted
:global QvOneWay
:local QvUndo "。撤销Qostrel的全部设置、恢复第一次导入之前的状态：/system script run Qostrel_Remove"
:if ($QvStep = {LAST}) do={
  :local QvTypes ([:len [/queue type find]] - $QvTypes0)
  :local QvMangle ([:len [/ip firewall mangle find dynamic=no]] - $QvMangle0)
  :local QvTree ([:len [/queue tree find]] - $QvTree0)
  :local QvRules ({RULES} + (17 * $QvRouted))
  :if ($QvRouted > 0) do={
    :set QvRules ($QvRules + 32)
  }
  :local QvOnLine $QvRouted
  :if ($QvOneWay) do={
    :set QvOnLine 1
  }
  :local QvCounts ("PCQ类型 " . $QvTypes . "/26，mangle规则 " . $QvMangle . "/" . $QvRules . "，队列 " . $QvTree . "/{QUEUES}")
  :if (($QvTypes = 26) && ($QvMangle = $QvRules) && ($QvTree = {QUEUES})) do={
    :local QvMsg ("Qostrel: 流控设置完成：" . $QvCounts . "。保留了路由器上原有的 " . $QvMangle0 . " 条mangle规则和 " . $QvTree0 . " 个队列树队列")
    :set QvMsg ($QvMsg . "。计划任务Qostrel_Network每分钟让Network地址列表跟随 {LINES} 个WAN网卡的IP地址")
    :set QvMsg ($QvMsg . "。" . $QvOnLine . " 条WAN线路的连接固定从各自的线路进出")
    :set QvMsg ($QvMsg . $QvUndo)
    :put $QvMsg
    :log info $QvMsg
  } else={
    :local QvMsg ("Qostrel: 创建的数量与应有的不符，请检查：" . $QvCounts)
    :put $QvMsg
    :log error $QvMsg
  }
} else={
  :local QvAt ($QvStep + 1)
  :local QvKinds {{"检查路由器版本和服务器地址";""};{"检查LAN网卡和路由器上原有的mangle规则";""};{"检查WAN线路";""};
    {"检查路由器上原有的连接标记和每条WAN线路的网关";""};{"安装撤销脚本Qostrel_Remove";""};
    {"导入地址列表、端口映射和在线统计，备份旧设置";""};
    {"安装让Network跟随WAN地址的计划任务";""};{"清除旧的mangle规则、队列和PCQ类型";""};{"添加PCQ类型";""};
    {"禁用FastTrack，添加在线规则";""};{"添加跳转规则";""};{"添加WAN线路";"的mangle规则和路由"};
    {"添加按线路路由的mangle规则";""};{"添加队列树的根";""};{"添加WAN线路";"的队列"}}
  :local QvWhat ""
  :foreach QvRun in={RUNS} do={
    :if ($QvAt >= [:pick $QvRun 0]) do={
      :local QvKind [:pick $QvKinds [:pick $QvRun 1]]
      :set QvWhat [:pick $QvKind 0]
      :if ([:len [:pick $QvKind 1]] > 0) do={
        :set QvWhat ($QvWhat . "eth" . ($QvAt - [:pick $QvRun 0]) . [:pick $QvKind 1])
      }
    }
  }
  :local QvMsg ("Qostrel: 脚本在第" . $QvAt . "步停止：" . $QvWhat)
  :if ($QvAt <= {CHECKS}) do={
    :set QvMsg ($QvMsg . "。路由器的设置没有改动。请按上面的提示改正后重新粘贴")
  } else={
    :set QvMsg ($QvMsg . "。旧的流控设置可能已部分清除。请按上面的错误信息改正后重新粘贴，脚本会先清理再重建")
    :if ([:len [/system script find name=Qostrel_Remove]] > 0) do={
      :set QvMsg ($QvMsg . $QvUndo)
    }
  }
  :put $QvMsg
  :log error $QvMsg
}
:foreach QvName in={"QvStep";"QvStop";"QvSeen";"QvBadIp";"QvSameIp";"QvNoWan";"QvNoAddress";"QvNotHeld";
  "QvSlowUp";"QvSlowDown";"QvLines";"QvV7";"QvGws";"QvOneWay";"QvRouteCode";"QvWans";"QvTypes0";"QvMangle0";
  "QvTree0";"QvRouted";"QvRouteGw";"QvRouteTable";"QvRouteWan"} do={
  /system script environment remove [find name=$QvName]
}
}
