## Step 4, first part: the router's default routes, Qostrel's own left out,
## read once: their table (v6 routing-mark, v7 routing-table; empty is main),
## distance, each gateway, and the line each gateway goes through, -1 for
## none. A gateway names its line as the interface, as an address with
## %<interface> at its end (pppoe-out1 is not pppoe-out10), as an address in
## one of the line's networks, by mask as eworm's mod/ipcalc works it out, or
## as its PPPoE peer (the network of a /32 address).
## Sets, one entry a gateway: QvDefaultAts its place (0, 1, …), then
## QvDefaultTables, QvDefaultDistances, QvDefaultLines (the line's place in
## QvLines) and QvDefaultHops.
## Fills: MARKED, the pattern of a comment with Qostrel's mark.
:global QvLines
:global QvV7
:global QvDefaultAts [:toarray ""]
:global QvDefaultTables [:toarray ""]
:global QvDefaultDistances [:toarray ""]
:global QvDefaultLines [:toarray ""]
:global QvDefaultHops [:toarray ""]
:local QvProp "routing-mark"
:if ($QvV7) do={
  :set QvProp "routing-table"
}
:foreach QvRoute in=[/ip route find dst-address=0.0.0.0/0 disabled=no] do={
  :local QvItem [/ip route get $QvRoute]
  :if (!([:tostr ($QvItem->"comment")] ~ "{MARKED}")) do={
    :local QvTable [:tostr ($QvItem->$QvProp)]
    :if ([:len $QvTable] = 0) do={
      :set QvTable "main"
    }
    :local QvDistance [:tonum ($QvItem->"distance")]
    ## Its gateways as text, split at each comma or semicolon: one gateway,
    ## a list, or a list as text read alike, %interface and all.
    :local QvGateways ([:tostr ($QvItem->"gateway")] . ",")
    :while ([:len $QvGateways] > 0) do={
      :local QvCut [:find $QvGateways ","]
      :local QvSemicolon [:find $QvGateways ";"]
      :if ([:typeof $QvSemicolon] = "num") do={
        :if ($QvSemicolon < $QvCut) do={
          :set QvCut $QvSemicolon
        }
      }
      :local QvHop [:pick $QvGateways 0 $QvCut]
      :set QvGateways [:pick $QvGateways ($QvCut + 1) [:len $QvGateways]]
      :local QvAt -1
      :local QvLineAt 0
      :foreach QvWan in=$QvLines do={
        :local QvTail [:pick $QvHop ([:len $QvHop] - [:len $QvWan] - 1) [:len $QvHop]]
        :if (($QvHop = $QvWan) || ($QvTail = ("%" . $QvWan))) do={
          :set QvAt $QvLineAt
        }
        :if (($QvAt < 0) && ([:typeof [:toip $QvHop]] = "ip")) do={
          :local QvHopIp [:toip $QvHop]
          :foreach QvAddress in=[/ip address find interface=$QvWan disabled=no] do={
            :local QvCidr [:tostr [/ip address get $QvAddress address]]
            :local QvSlash [:find $QvCidr "/"]
            :local QvBits [:tonum [:pick $QvCidr ($QvSlash + 1) [:len $QvCidr]]]
            :local QvMask ((255.255.255.255 << (32 - $QvBits)) & 255.255.255.255)
            :local QvOwnIp [:toip [:pick $QvCidr 0 $QvSlash]]
            :local QvPeer [:toip [/ip address get $QvAddress network]]
            :if ((($QvHopIp & $QvMask) = ($QvOwnIp & $QvMask)) || ($QvHopIp = $QvPeer)) do={
              :set QvAt $QvLineAt
            }
          }
        }
        :set QvLineAt ($QvLineAt + 1)
      }
      :set QvDefaultAts ($QvDefaultAts, [:len $QvDefaultAts])
      :set QvDefaultTables ($QvDefaultTables, $QvTable)
      :set QvDefaultDistances ($QvDefaultDistances, $QvDistance)
      :set QvDefaultLines ($QvDefaultLines, $QvAt)
      :set QvDefaultHops ($QvDefaultHops, $QvHop)
    }
  }
}
