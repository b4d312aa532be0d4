## Step 2, second part: the operator's packet marks and simple queues only
## warn: Qostrel marks its lines' packets after them, and its queues shape the
## same traffic again. Starts the list of lines the next steps check.
## Fills: MARKS, the pattern of Qostrel's own connection marks.

/ip firewall mangle
:local QvOwnMarks "{MARKS}"
:global QvLines [:toarray ""]
:local QvMarks ([:len [find dynamic=no disabled=no action=mark-packet]] - [:len [find dynamic=no disabled=no action=mark-packet connection-mark~$QvOwnMarks]])
:if ($QvMarks > 0) do={
  :local QvMsg ("Qostrel: " . $QvMarks . " 条路由器上原有的mark-packet规则：Qostrel在它们之后给自己线路的每个数据包打标记，使用这些标记的队列看到的流量可能变少")
  :put $QvMsg
  :log warning $QvMsg
}
:local QvSimple [:len [/queue simple find disabled=no]]
:if ($QvSimple > 0) do={
  :local QvMsg ("Qostrel: " . $QvSimple . " 个简单队列（/queue simple）：它们会对同样的流量再限速一次")
  :put $QvMsg
  :log warning $QvMsg
}
