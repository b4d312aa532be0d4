## The two global roots of the queue tree.
## Fills: LAN, the LAN interface's global; UPROOT, the upload root's parent:
## global-out in v5, global from v6 on, which refuses global-out.

#固定导入信息；顺序不可错
/queue tree
add limit-at=0 max-limit=0 name=Global_down packet-mark="" parent=${LAN} priority=8
add limit-at=0 max-limit=0 name=Global_up packet-mark="" parent={UPROOT} priority=8
