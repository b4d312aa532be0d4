## The three management ports, forwarded from any WAN address to the server,
## each with Qostrel's mark before its comment.
## Fills: SERVER, the server's global, whose name the comments hold too.

#映射9912、9917、9927端口[固定值]
/ip firewall nat
add action=dst-nat chain=dstnat comment="Qostrel {SERVER}_9912" disabled=no dst-address-list=Network dst-port=9912 protocol=tcp to-addresses=${SERVER} to-ports=9912
add action=dst-nat chain=dstnat comment="Qostrel {SERVER}_9917" disabled=no dst-address-list=Network dst-port=9917 protocol=tcp to-addresses=${SERVER} to-ports=9917
add action=dst-nat chain=dstnat comment="Qostrel {SERVER}_9927" disabled=no dst-address-list=Network dst-port=9927 protocol=tcp to-addresses=${SERVER} to-ports=9927
