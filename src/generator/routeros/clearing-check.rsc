## The import goes on only once the clearing removed every queue and queue
## type of Qostrel's: adding them again would be refused. The run has changed
## the router by now, so it ends with the message itself.
:global QvTreeLeft
:global QvTypesLeft
:global QvFail
:global QvStop
:global QvStopWith
:if ($QvTreeLeft > 0) do={
  :set QvFail ("Qostrel: 队列树中还有 " . $QvTreeLeft . " 个Qostrel的队列删不掉。请在 /queue tree 中删除Global_down、Global_up和它们下面的队列，再粘贴脚本")
}
:if (($QvTreeLeft = 0) && ([:len $QvTypesLeft] > 0)) do={
  :set QvFail ("Qostrel: 无法删除旧的PCQ类型 " . [:pick $QvTypesLeft 0] . "，它可能仍被其他队列使用。请删除使用它的队列，再粘贴脚本")
}
:if (($QvTreeLeft > 0) || ([:len $QvTypesLeft] > 0)) do={
  :set QvStop $QvFail
  $QvStopWith
}
