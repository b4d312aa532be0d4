## The Network follower is stopped before the old Network is cleared, so that
## it cannot add an address the script is about to add. Today's date, as the
## router prints it, starts both schedulers: some releases never run a
## scheduler left with the default start date: online-counter.rsc takes it
## from QvToday.

#先删除计划任务Qostrel_Network，以免它与清理和重建Network同时进行
/system scheduler
remove [find name=Qostrel_Network]
:global QvToday [/system clock get date]
