## The online rule: every LAN address but the server's that opens a
## connection joins Online for three minutes. Its comment says so after
## Qostrel's mark.
## Fills: LAN, the LAN interface's global.

#获取内网里除服务器server_list列表已经存在IP外，所有建立通信的IP地址；流控基于所获取到的Online列表进行
#在线
/ip firewall mangle
add action=add-src-to-address-list address-list=Online address-list-timeout=3m chain=forward comment="Qostrel Online" disabled=no in-interface=${LAN} src-address-list=!Server_list
