## Step 4, second part: a connection holds one connection mark, and Qostrel
## marks every connection of its lines with its class, so the operator's
## connection marks are taken over. That keeps routing by them only where the
## mark stands for one line: set by the line's in-interface, or set by PCC and
## routed by routing marks whose default routes of the least distance (a
## backup route may go through another line) all go through one line. Any
## other mark stops the script, before any change, naming the first such rule.
## A property a rule may lack reads back as nothing: its length tells.
## Fills: CHAINS, the pattern of Qostrel's own chains.
/ip firewall mangle
:local QvOwnChains "{CHAINS}"
:global QvStop
:local QvUntied [:toarray ""]
:foreach QvRule in=[find dynamic=no disabled=no action=mark-connection] do={
  :if (!([get $QvRule chain] ~ $QvOwnChains)) do={
    :local QvLine -2
    :local QvIn [:tostr [get $QvRule in-interface]]
    :foreach QvWan in=$QvLines do={
      :if ($QvIn = $QvWan) do={
        :set QvLine 0
      }
    }
    :local QvPcc ""
    :do {
      :set QvPcc [get $QvRule per-connection-classifier]
    } on-error={}
    :if (($QvLine = -2) && ([:len $QvPcc] > 0)) do={
      :foreach QvRouting in=[find action=mark-routing disabled=no connection-mark=[get $QvRule new-connection-mark]] do={
        :local QvMark [get $QvRouting new-routing-mark]
        :local QvLeast 256
        :local QvRouteAt 0
        :foreach QvTable in=$QvTables do={
          :if (($QvTable = $QvMark) && ([:pick $QvDistances $QvRouteAt] < $QvLeast)) do={
            :set QvLeast [:pick $QvDistances $QvRouteAt]
          }
          :set QvRouteAt ($QvRouteAt + 1)
        }
        :set QvRouteAt 0
        :foreach QvTable in=$QvTables do={
          :if (($QvTable = $QvMark) && ([:pick $QvDistances $QvRouteAt] = $QvLeast)) do={
            :local QvAt [:pick $QvVia $QvRouteAt]
            :if (($QvLine = -2) || ($QvLine = $QvAt)) do={
              :set QvLine $QvAt
            } else={
              :set QvLine -1
            }
          }
          :set QvRouteAt ($QvRouteAt + 1)
        }
      }
    }
    :if ($QvLine < 0) do={
      :set QvUntied ($QvUntied, $QvRule)
    }
  }
}
:if ([:len $QvUntied] > 0) do={
  :local QvFirst [:pick $QvUntied 0]
  :local QvComment ""
  :do {
    :set QvComment [get $QvFirst comment]
  } on-error={}
  :local QvMsg ("Qostrel: " . [:len $QvUntied] . " 条路由器上原有的mark-connection规则与Qostrel冲突，第一条：")
  :set QvMsg ($QvMsg . "chain=" . [get $QvFirst chain] . " comment=" . $QvComment . " new-connection-mark=" . [get $QvFirst new-connection-mark])
  :set QvMsg ($QvMsg . "。一个连接只能有一个连接标记：Qostrel给每条WAN线路的每个连接打上流控分类的标记，会覆盖这些规则的标记。")
  :set QvMsg ($QvMsg . "Qostrel能接管的只有归属一条WAN线路的标记：按这条线路的in-interface打的，或者PCC打的、它的路由标记的默认路由只经过一条WAN线路的。")
  :set QvMsg ($QvMsg . "请先在 /ip firewall mangle 中禁用这些规则，或改为按线路打标记，再重新粘贴脚本")
  :put $QvMsg
  :log error $QvMsg
  :error $QvStop
}
