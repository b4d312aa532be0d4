## The operator's own IPv6 marks, where the router has IPv6: Qostrel gives a
## class only to an IPv6 connection that has no mark yet, and marks its
## packets after the operator's rules, so what those rules mark may miss
## Qostrel's queues. A warning: nothing of the operator's is taken.
## Fills: SIXOWN, six-own-source.rsc as a quoted string.
:global QvSix
:if ($QvSix) do={
  :local QvSixOwn [:parse "{SIXOWN}"]
  :local QvOwn [$QvSixOwn]
  :if ($QvOwn > 0) do={
    :local QvMsg ("Qostrel: " . $QvOwn . " 条路由器上原有的IPv6 mark-connection或mark-packet规则：Qostrel只给还没有连接标记的IPv6连接分类，这些规则标记的IPv6流量可能不进入Qostrel的队列")
    :put $QvMsg
    :log warning $QvMsg
  }
}
