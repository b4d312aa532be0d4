## The queue tree: Global_down, Global_up and every queue below them, and a
## queue named as Qostrel names its queues (ending in _up or _down) whose
## parent is gone, a run that stopped half-way, with every queue below it.
## A release may refuse to remove a parent, remove its children with it, or
## leave them behind, so each pass takes them anew and removes them children
## first, one by one, errors ignored. Passes go on until one finds none, at
## most eight; a ninth only counts. The first pass takes the two roots alone:
## looking for a gone parent in a whole tree would look up every parent.
## QvTreeLeft holds what is left. The import and Qostrel_Remove run the same
## code.
/queue tree
#只删除Qostrel的队列：Global_down、Global_up和它们下面的全部队列，以及父队列已不存在的Qostrel队列
:global QvTreeLeft 0
:local QvPass 0
:local QvLooking true
:while ($QvLooking) do={
  :set QvPass ($QvPass + 1)
  ## This pass's tops: the roots, and from the second pass on the orphans.
  :local QvOwn [:toarray ""]
  :foreach QvRoot in=[find name=Global_down] do={
    :set QvOwn ($QvOwn, $QvRoot)
  }
  :foreach QvRoot in=[find name=Global_up] do={
    :set QvOwn ($QvOwn, $QvRoot)
  }
  :local QvNamed [:toarray ""]
  :if ($QvPass > 1) do={
    :set QvNamed [find name~"_(up|down)\$"]
  }
  :foreach QvQueue in=$QvNamed do={
    :local QvParent [:tostr [get $QvQueue parent]]
    :local QvGone (([:len [find name=$QvParent]] = 0) && ([:len [/interface find name=$QvParent]] = 0))
    :if ($QvGone && ([:pick $QvParent 0 6] != "global")) do={
      :set QvOwn ($QvOwn, $QvQueue)
    }
  }
  ## Every queue below them: the list grows as it is walked, parents first.
  :local QvAt 0
  :while ($QvAt < [:len $QvOwn]) do={
    :foreach QvChild in=[find parent=[get [:pick $QvOwn $QvAt] name]] do={
      :set QvOwn ($QvOwn, $QvChild)
    }
    :set QvAt ($QvAt + 1)
  }
  ## Children first. The ninth pass only counts.
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
