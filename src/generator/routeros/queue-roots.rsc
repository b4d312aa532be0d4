## The two global roots of the queue tree, with Qostrel's mark.
## Fills: LAN, the LAN interface's global.

#固定导入信息；顺序不可错
/queue tree
add comment=Qostrel limit-at=0 max-limit=0 name=Global_down packet-mark="" parent=${LAN} priority=8
add comment=Qostrel limit-at=0 max-limit=0 name=Global_up packet-mark="" parent=global priority=8
