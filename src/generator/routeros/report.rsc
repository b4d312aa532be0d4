## The last block, after the steps. Only a complete run sets the last step's
## number: then it confirms what was created, counted against what the
## clearing left. Otherwise it names the step that stopped, which the step
## before it named in QvNextStep. A run that changed something says how to go
## back, once Qostrel_Remove is there. It removes the helper globals either
## way.
## Fills: LAST, the last step; CHECKS, the last step that only checks; LINES,
## the number of lines; RULES and QUEUES, the mangle rules (but the
## routing's) and queues the lines take; GLOBALS, every helper global, with
## commas between.
## Also MARKED, the pattern of a comment with Qostrel's mark; SIXRULES, the
## IPv6 mangle rules the import adds where the router has IPv6, which are
## counted by the mark through :parse and reported on a line of their own.
{
#核对创建的数量，报告结果，删除脚本的辅助全局变量
:global QvStep
:global QvNextStep
:global QvTypes0
:global QvMangle0
:global QvTree0
:global QvRouted
:global QvOneWay
:global QvSix
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
  :local QvSixRules 0
  :local QvSixMsg "Qostrel: 这台路由器没有IPv6（没有启用ipv6软件包），没有添加IPv6规则"
  :if ($QvSix) do={
    :local QvSixCount [:parse ":return [:len [/ipv6 firewall mangle find comment~\"^Qostrel( |\\\$)\"]]"]
    :set QvSixRules [$QvSixCount]
    :set QvCounts ($QvCounts . "，IPv6 mangle规则 " . $QvSixRules . "/{SIXRULES}")
    :set QvSixMsg ("Qostrel: IPv6：已添加 " . $QvSixRules . " 条IPv6 mangle规则，IPv6流量同样限速")
  }
  :if (($QvTypes = 26) && ($QvMangle = $QvRules) && ($QvTree = {QUEUES}) && ((!$QvSix) || ($QvSixRules = {SIXRULES}))) do={
    ## The operator's own entries in Server_list and Network: those without
    ## Qostrel's mark. The port forwards reach every address in Network.
    :local QvKept 0
    :local QvOwnNetwork ""
    /ip firewall address-list
    :foreach QvList in={"Server_list";"Network"} do={
      :foreach QvEntry in=[find list=$QvList dynamic=no] do={
        :if (!([:tostr [get $QvEntry comment]] ~ "{MARKED}")) do={
          :set QvKept ($QvKept + 1)
          :if ($QvList = "Network") do={
            :set QvOwnNetwork ($QvOwnNetwork . " " . [get $QvEntry address])
          }
        }
      }
    }
    :local QvMsg ("Qostrel: 流控设置完成：" . $QvCounts . "。保留了路由器上原有的 " . $QvMangle0 . " 条mangle规则、" . $QvTree0 . " 个队列树队列")
    :set QvMsg ($QvMsg . "和Server_list、Network中的 " . $QvKept . " 个条目")
    :if ([:len $QvOwnNetwork] > 0) do={
      :set QvMsg ($QvMsg . "。9912、9917、9927三条端口映射也对Network中原有的地址生效：" . $QvOwnNetwork . "，不需要时请删除这些条目")
    }
    :set QvMsg ($QvMsg . "。计划任务Qostrel_Network每分钟让Network地址列表跟随 {LINES} 个WAN网卡的IP地址")
    :set QvMsg ($QvMsg . "。" . $QvOnLine . " 条WAN线路的连接固定从各自的线路进出")
    :set QvMsg ($QvMsg . $QvUndo)
    :put $QvSixMsg
    :log info $QvSixMsg
    :put $QvMsg
    :log info $QvMsg
  } else={
    :local QvMsg ("Qostrel: 创建的数量与应有的不符，请检查：" . $QvCounts)
    :put $QvMsg
    :log error $QvMsg
  }
} else={
  :local QvAt ($QvStep + 1)
  :local QvMsg ("Qostrel: 脚本在第" . $QvAt . "步停止：" . $QvNextStep)
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
:foreach QvName in=[:toarray "{GLOBALS}"] do={
  /system script environment remove [find name=$QvName]
}
}
