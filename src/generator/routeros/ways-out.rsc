## Step 4, third part: each line's way out for its own table: a PPPoE line's
## interface, a DHCP client's gateway, or the gateway of a default route
## through it. A line without one only warns, and keeps the routing it has.
## QvGws holds them as "=<gateway>", "=" for none. A router with one way out,
## one line with a way out and every default route through it (the
## single-line cafe), needs no routing mark: then no line gets a table, and
## QvOneWay tells the report.
:global QvLines
:global QvDefaultAts
:global QvDefaultLines
:global QvDefaultHops
:global QvGws [:toarray ""]
:global QvOneWay false
:local QvWays 0
:local QvWay -1
:local QvLineAt 0
:foreach QvWan in=$QvLines do={
  :local QvHop ""
  :if ([:len [/interface pppoe-client find name=$QvWan]] > 0) do={
    :set QvHop $QvWan
  }
  :if ([:len $QvHop] = 0) do={
    :foreach QvClient in=[/ip dhcp-client find interface=$QvWan disabled=no] do={
      :do {
        :set QvHop [:tostr [/ip dhcp-client get $QvClient gateway]]
      } on-error={}
    }
  }
  :foreach QvAt in=$QvDefaultAts do={
    :if (([:len $QvHop] = 0) && ([:pick $QvDefaultLines $QvAt] = $QvLineAt)) do={
      :set QvHop [:pick $QvDefaultHops $QvAt]
    }
  }
  :if ([:len $QvHop] = 0) do={
    :local QvMsg ("eth" . $QvLineAt . " = " . $QvWan . "：找不到这条WAN线路的网关（不是PPPoE线路，没有DHCP客户端，也没有经过它的默认路由）。")
    :set QvMsg ($QvMsg . "脚本继续执行，但这条线路上的连接不会固定从它进出，从它进来的端口映射可能从别的线路回复")
    :put $QvMsg
    :log warning $QvMsg
  } else={
    :set QvWays ($QvWays + 1)
    :set QvWay $QvLineAt
  }
  :set QvGws ($QvGws, ("=" . $QvHop))
  :set QvLineAt ($QvLineAt + 1)
}
:set QvOneWay ($QvWays = 1)
:foreach QvAt in=$QvDefaultLines do={
  :if ($QvAt != $QvWay) do={
    :set QvOneWay false
  }
}
:if ($QvOneWay) do={
  :set QvGws [:toarray ""]
  :foreach QvWan in=$QvLines do={
    :set QvGws ($QvGws, "=")
  }
}
