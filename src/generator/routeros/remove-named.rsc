## Qostrel's schedulers and its backup script, by name.
/system scheduler
remove [find name=Online_Stat]
remove [find name=Qostrel_Network]
/system script
remove [find name=brookfenbackup]
