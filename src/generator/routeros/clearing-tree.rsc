## The queue tree: Qostrel's queues are those with its mark, and those
## exactly as the v5 text or an earlier release added them: the two roots,
## and a queue whose name, packet mark, parent, priority and queue type are
## a row of QvQueueRows (queue-rows.rsc) for some line's name. Every other
## queue is the operator's, below Qostrel's roots too. A parent is added
## before its children, so taking them last first removes children first.
## A release may refuse to remove a parent, remove its children with it, or
## leave them behind, so each pass takes them anew, one by one, errors
## ignored, until a pass finds none, at most eight; a ninth only counts.
## QvTreeLeft holds what is left. The import and Qostrel_Remove run the same
## code.
## Fills: MARKED, the pattern of a comment with Qostrel's mark.
/queue tree
#只删除Qostrel的队列：带Qostrel备注的，和Qostrel以前的版本或v5脚本原样添加的；路由器上原有的队列保留
:global QvQueueRows
:global QvTreeLeft 0
:local QvPass 0
:local QvLooking true
:while ($QvLooking) do={
  :set QvPass ($QvPass + 1)
  :local QvOwn [:toarray ""]
  :foreach QvQueue in=[find] do={
    :local QvItem [get $QvQueue]
    :local QvName [:tostr ($QvItem->"name")]
    :local QvMark [:tostr ($QvItem->"packet-mark")]
    :local QvParent [:tostr ($QvItem->"parent")]
    :local QvPriority [:tostr ($QvItem->"priority")]
    :local QvMine ([:tostr ($QvItem->"comment")] ~ "{MARKED}")
    :if ((($QvName = "Global_down") || ($QvName = "Global_up")) && ($QvMark = "") && ($QvPriority = "8")) do={
      :set QvMine true
    }
    :local QvRows [:toarray ""]
    :if (!$QvMine && ($QvName ~ "_(up|down)\$")) do={
      :set QvRows $QvQueueRows
    }
    :foreach QvRow in=$QvRows do={
      :local QvCut ([:len $QvName] - [:len [:pick $QvRow 1]])
      :local QvStart [:len [:pick $QvRow 0]]
      :if (!$QvMine && ($QvCut > $QvStart) && ([:pick $QvName 0 $QvStart] = [:pick $QvRow 0]) && ([:pick $QvName $QvCut [:len $QvName]] = [:pick $QvRow 1])) do={
        :local QvWan [:pick $QvName $QvStart $QvCut]
        :local QvRowMark ""
        :if ([:len [:pick $QvRow 2]] > 0) do={
          :set QvRowMark ($QvWan . [:pick $QvRow 2])
        }
        :local QvRowParent [:pick $QvRow 3]
        :if ([:len [:pick $QvRow 4]] > 0) do={
          :set QvRowParent ([:pick $QvRow 3] . $QvWan . [:pick $QvRow 4])
        }
        :local QvType [:pick $QvRow 6]
        :local QvSameType (([:len $QvType] = 0) || ([:tostr ($QvItem->"queue")] = $QvType))
        :set QvMine (($QvMark = $QvRowMark) && ($QvParent = $QvRowParent) && ($QvPriority = [:tostr [:pick $QvRow 5]]) && $QvSameType)
      }
    }
    :if ($QvMine) do={
      :set QvOwn ($QvOwn, $QvQueue)
    }
  }
  ## Last first. The ninth pass only counts.
  :set QvTreeLeft [:len $QvOwn]
  :set QvLooking ((($QvTreeLeft > 0) || ($QvPass < 2)) && ($QvPass < 9))
  :local QvRemove $QvOwn
  :if ($QvPass = 9) do={
    :set QvRemove [:toarray ""]
  }
  :for QvAt from=([:len $QvRemove] - 1) to=0 do={
    :do {
      remove [:pick $QvRemove $QvAt]
    } on-error={}
  }
}
