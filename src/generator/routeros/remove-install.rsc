## The first change of an import: Qostrel_Remove, so that any run from here on,
## one that stopped half way too, can be undone. Each import installs it
## anew; what it gives back it finds in records of their own (remove.rsc).
## Fills: REMOVESOURCE, Qostrel_Remove's code as a quoted string in export layout.

#安装Qostrel_Remove：运行 /system script run Qostrel_Remove 删除Qostrel的全部设置，恢复导入之前的状态
/system script
remove [find name=Qostrel_Remove]
add comment="Qostrel /system script run Qostrel_Remove 删除Qostrel的全部设置" name=Qostrel_Remove policy=read,write,policy,test source="\
    {REMOVESOURCE}"
