## The protocol an earlier import made is set again, not removed: it need not
## wait for the rules that name it, the operator's among them. Backslashes are
## doubled so that the router stores the pattern with single ones.

#Winbox layer7过滤[固定值]
/ip firewall layer7-protocol
:if ([:len [find name=winbox]] = 0) do={
  add comment="" name=winbox regexp="\\x12\\x02\\x69\\x6e\\x64"
} else={
  set [find name=winbox] regexp="\\x12\\x02\\x69\\x6e\\x64"
}
