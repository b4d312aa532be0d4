## The backup script from v6 on: scripts have no winbox policy on v7, and a
## script that stopped before the PCQ types left its backup script behind,
## which adding it again would refuse. It has Qostrel's mark; a
## brookfenbackup with the operator's own comment stays, and this add fails.
## Fills: BACKUPSOURCE, backup-source.rsc as a quoted string in export layout.
## Also MARKEDORBARE, the pattern of a comment with Qostrel's mark, or of
## none, as earlier versions left theirs.

#备份Mangle 、Queue tree 、Queue type [固定值]
/system script
:foreach QvScript in=[find name=brookfenbackup] do={
  :if ([:tostr [get $QvScript comment]] ~ "{MARKEDORBARE}") do={
    remove $QvScript
  }
}
add comment=Qostrel name=brookfenbackup policy=\
    ftp,reboot,read,write,policy,test,password,sniff,sensitive source="\
    {BACKUPSOURCE}"
/system script run brookfenbackup
