## Only what Qostrel made goes: its two lists whole, whatever address they
## held, and its port forwards by their comments. The server's address stays
## in the operator's own lists, and so do the operator's forwards of the same
## ports.
## Fills: SERVER, the server's global, whose name the forwards' comments hold.

#清理旧信息：只删除Qostrel创建的地址列表Server_list、Network和三条端口映射
/ip firewall address-list
remove [find list=Server_list]
remove [find list=Network]
/ip firewall nat
remove [find comment={SERVER}_9912]
remove [find comment={SERVER}_9917]
remove [find comment={SERVER}_9927]

