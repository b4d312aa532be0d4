## The protocol an earlier import made is set again, not removed: it need not
## wait for the rules that name it, the operator's among them. One Qostrel
## adds is commented Qostrel. The regexp an operator's own winbox had before
## the first import stays in Qostrel_winbox, for Qostrel_Remove; a later
## import keeps it. A winbox exactly as the v5 text added it (no comment,
## Qostrel's regexp) and without such a record is Qostrel's: it gets the mark,
## as if this import had added it. Backslashes are doubled so that the router stores the
## pattern with single ones.

#Winbox layer7过滤[固定值]
/ip firewall layer7-protocol
:if ([:len [find name=winbox]] = 0) do={
  add comment=Qostrel name=winbox regexp="\\x12\\x02\\x69\\x6e\\x64"
} else={
  :local QvWinbox [find name=winbox]
  :local QvRegexp "\\x12\\x02\\x69\\x6e\\x64"
  :if (([:len [find name=Qostrel_winbox]] = 0) && ([:len [:tostr [get $QvWinbox comment]]] = 0) && ([get $QvWinbox regexp] = $QvRegexp)) do={
    set $QvWinbox comment=Qostrel
  }
  :if (([:len [find name=Qostrel_winbox]] = 0) && ([:tostr [get $QvWinbox comment]] != "Qostrel")) do={
    add comment=Qostrel name=Qostrel_winbox regexp=[get $QvWinbox regexp]
  }
  set $QvWinbox regexp=$QvRegexp
}
