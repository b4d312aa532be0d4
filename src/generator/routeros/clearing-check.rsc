## The import goes on only once the clearing removed every queue and queue
## type of Qostrel's: adding them again would be refused.
:if ($QvLeft > 0) do={
  :local QvMsg ("Qostrel: 队列树中还有 " . $QvLeft . " 个Qostrel的队列删不掉。请在 /queue tree 中删除Global_down、Global_up和它们下面的队列，再粘贴脚本")
  :put $QvMsg
  :log error $QvMsg
  :error $QvMsg
}
:foreach QvType in=$QvTypeNames do={
  :if ([:len [/queue type find name=$QvType]] > 0) do={
    :local QvMsg ("Qostrel: 无法删除旧的PCQ类型 " . $QvType . "，它可能仍被其他队列使用。请删除使用它的队列，再粘贴脚本")
    :put $QvMsg
    :log error $QvMsg
    :error $QvMsg
  }
}
