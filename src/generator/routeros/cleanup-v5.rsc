## v5: what an earlier import left in the address lists, the NAT table and
## the layer-7 protocols. The doubled remove lines are harmless (the second
## finds nothing) and kept byte for byte, like the leading space of every
## line after the comment.
## Fills: SERVER, the server's global.

#清理旧信息
 /ip firewall address-list
 remove [find address=${SERVER}]
 remove [find address=${SERVER}]
 remove [find list=Network]
 remove [find list=Network]
 /ip firewall nat
 remove [find to-ports="9912"]
 remove [find to-ports="9917"]
 remove [find to-ports="9927"]
 /ip firewall layer7-protocol
 remove [find regexp!=""]

