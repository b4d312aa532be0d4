## Step 4, second part: a connection holds one connection mark, and Qostrel
## marks every connection of its lines with its class, so the operator's
## connection marks are taken over. That keeps routing by them only where the
## mark stands for one line: set by the line's in-interface, or set by PCC
## and routed by routing marks whose tables' default routes of the least
## distance (a backup route may go through another line) all go through one
## line. Any other mark stops the script, before any change, naming the first
## such rule. A property a rule may lack reads back as nothing: its length
## tells.
## The operator's rules are those not in QvMine (owned-mangle.rsc).
:global QvLines
:global QvDefaultAts
:global QvDefaultTables
:global QvDefaultDistances
:global QvDefaultLines
:global QvFail
:global QvMine
:global QvStopWith
/ip firewall mangle

## Which default routes are of the least distance in their table.
:local QvLeast [:toarray ""]
:foreach QvAt in=$QvDefaultAts do={
  :local QvIsLeast true
  :foreach QvOther in=$QvDefaultAts do={
    :local QvSameTable ([:pick $QvDefaultTables $QvOther] = [:pick $QvDefaultTables $QvAt])
    :if ($QvSameTable && ([:pick $QvDefaultDistances $QvOther] < [:pick $QvDefaultDistances $QvAt])) do={
      :set QvIsLeast false
    }
  }
  :set QvLeast ($QvLeast, $QvIsLeast)
}

## The operator's rules that mark connections.
:local QvTheirs [:toarray ""]
:foreach QvRule in=[find dynamic=no disabled=no action=mark-connection] do={
  :if ([:typeof [:find $QvMine (";" . $QvRule . ";")]] != "num") do={
    :set QvTheirs ($QvTheirs, $QvRule)
  }
}

## Each of them: tied to a line, or not.
:local QvUntied [:toarray ""]
:foreach QvRule in=$QvTheirs do={
  :local QvIn [:tostr [get $QvRule in-interface]]
  :local QvByLine false
  :foreach QvWan in=$QvLines do={
    :if ($QvWan = $QvIn) do={
      :set QvByLine true
    }
  }
  :local QvPcc ""
  :do {
    :set QvPcc [get $QvRule per-connection-classifier]
  } on-error={}
  ## The tables its routing marks name, as ";a;b;".
  :local QvTables ";"
  :if (!$QvByLine && ([:len $QvPcc] > 0)) do={
    :foreach QvRouting in=[find action=mark-routing disabled=no connection-mark=[get $QvRule new-connection-mark]] do={
      :set QvTables ($QvTables . [get $QvRouting new-routing-mark] . ";")
    }
  }
  ## The lines their least-distance default routes go through, -1 for none.
  :local QvWays ";"
  :local QvWayCount 0
  :foreach QvAt in=$QvDefaultAts do={
    :local QvLine [:pick $QvDefaultLines $QvAt]
    :local QvOfRule ([:typeof [:find $QvTables (";" . [:pick $QvDefaultTables $QvAt] . ";")]] = "num")
    :local QvNew ([:typeof [:find $QvWays (";" . $QvLine . ";")]] != "num")
    :if ($QvOfRule && [:pick $QvLeast $QvAt] && $QvNew) do={
      :set QvWays ($QvWays . $QvLine . ";")
      :set QvWayCount ($QvWayCount + 1)
    }
  }
  :local QvByPcc (($QvWayCount = 1) && ($QvWays != ";-1;"))
  :if (!$QvByLine && !$QvByPcc) do={
    :set QvUntied ($QvUntied, $QvRule)
  }
}

:if ([:len $QvUntied] > 0) do={
  :local QvFirst [:pick $QvUntied 0]
  :local QvComment ""
  :do {
    :set QvComment [get $QvFirst comment]
  } on-error={}
  :set QvFail ("Qostrel: " . [:len $QvUntied] . " 条路由器上原有的mark-connection规则与Qostrel冲突，第一条：")
  :set QvFail ($QvFail . "chain=" . [get $QvFirst chain] . " comment=" . $QvComment . " new-connection-mark=" . [get $QvFirst new-connection-mark])
  :set QvFail ($QvFail . "。一个连接只能有一个连接标记：Qostrel给每条WAN线路的每个连接打上流控分类的标记，会覆盖这些规则的标记。")
  :set QvFail ($QvFail . "Qostrel能接管的只有归属一条WAN线路的标记：按这条线路的in-interface打的，或者PCC打的、它的路由标记的默认路由只经过一条WAN线路的。")
  :set QvFail ($QvFail . "请先在 /ip firewall mangle 中禁用这些规则，或改为按线路打标记，再重新粘贴脚本")
  $QvStopWith
}
