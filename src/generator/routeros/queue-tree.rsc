## A line's upload and download subtrees, fed by its packet marks: one queue
## a row of QvQueueRows (queue-rows.rsc), each with Qostrel's mark.
## Fills: W, the line's name (eth0); its bandwidths are ${W}Rx and ${W}Tx.
:global QvQueueRows
:local QvWan ${W}

/queue tree
:foreach QvRow in=$QvQueueRows do={
  :local QvName ([:pick $QvRow 0] . $QvWan . [:pick $QvRow 1])
  :local QvRate ${W}Tx
  :if ([:pick $QvName ([:len $QvName] - 3) [:len $QvName]] = "_up") do={
    :set QvRate ${W}Rx
  }
  :local QvMax (($QvRate * [:pick $QvRow 8]) / 10)
  :if ([:pick $QvRow 8] < 0) do={
    :set QvMax ($QvRate - 1000000)
  }
  :local QvMark ""
  :if ([:len [:pick $QvRow 2]] > 0) do={
    :set QvMark ($QvWan . [:pick $QvRow 2])
  }
  :local QvParent [:pick $QvRow 3]
  :if ([:len [:pick $QvRow 4]] > 0) do={
    :set QvParent ([:pick $QvRow 3] . $QvWan . [:pick $QvRow 4])
  }
  :local QvAt (($QvRate * [:pick $QvRow 7]) / 10)
  :if ([:len [:pick $QvRow 6]] > 0) do={
    add comment=Qostrel limit-at=$QvAt max-limit=$QvMax name=$QvName packet-mark=$QvMark parent=$QvParent priority=[:pick $QvRow 5] queue=[:pick $QvRow 6]
  } else={
    add comment=Qostrel limit-at=$QvAt max-limit=$QvMax name=$QvName packet-mark=$QvMark parent=$QvParent priority=[:pick $QvRow 5]
  }
}
