## The queue tree: Global_down, Global_up and every queue below them, and a
## queue named as Qostrel names its queues whose parent is gone (a run that
## stopped half-way) with every queue below it. Each pass collects them
## parents first and removes them children first, one by one, errors ignored:
## a release may refuse to remove a parent, remove its children with it, or
## leave them behind. A pass that finds none ends it; QvLeft holds what is
## left after eight. The first pass does not look for parents that are gone:
## in a whole tree it would look up every parent. The import and
## Qostrel_Remove run the same code.
/queue tree
#只删除Qostrel的队列：Global_down、Global_up和它们下面的全部队列，以及父队列已不存在的Qostrel队列
:local QvLeft -1
:local QvPass 0
:while ((($QvLeft != 0) || ($QvPass < 2)) && ($QvPass < 9)) do={
  :set QvPass ($QvPass + 1)
  :local QvOwn [:toarray ""]
  :local QvNext {"Global_down";"Global_up"}
  :foreach QvRoot in=$QvNext do={
    :foreach QvQueue in=[find name=$QvRoot] do={
      :set QvOwn ($QvOwn, $QvQueue)
    }
  }
  :if ($QvPass > 1) do={
    :foreach QvQueue in=[find] do={
      :local QvParent ""
      :do {
        :set QvParent [:tostr [get $QvQueue parent]]
      } on-error={}
      :local QvOrphan (([:len [find name=$QvParent]] = 0) && ([:len [/interface find name=$QvParent]] = 0))
      :if (([get $QvQueue name] ~ "_(up|down)\$") && $QvOrphan && ([:pick $QvParent 0 6] != "global")) do={
        :set QvOwn ($QvOwn, $QvQueue)
        :set QvNext ($QvNext, [get $QvQueue name])
      }
    }
  }
  :while ([:len $QvNext] > 0) do={
    :local QvNow $QvNext
    :set QvNext [:toarray ""]
    :foreach QvName in=$QvNow do={
      :foreach QvQueue in=[find parent=$QvName] do={
        :set QvOwn ($QvOwn, $QvQueue)
        :set QvNext ($QvNext, [get $QvQueue name])
      }
    }
  }
  :set QvLeft [:len $QvOwn]
  :if (($QvLeft > 0) && ($QvPass < 9)) do={
    :for QvAt from=($QvLeft - 1) to=0 do={
      :do {
        remove [:pick $QvOwn $QvAt]
      } on-error={}
    }
  }
}
