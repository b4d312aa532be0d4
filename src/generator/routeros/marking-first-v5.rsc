## A line's ICMP and DNS, and its Server group: each rule ends its chain, so
## their order decides which mark a packet gets.
## Fills: W, the line's name (eth0); UP and DOWN, the chains of the packet
## marks: postrouting and prerouting in v5, the line's own chains from v6 on.

add action=mark-connection chain=(${W} . "_Conn") comment=(${W} . "_icmp") disabled=no new-connection-mark=(${W} . "_icmp_connect") passthrough=no protocol=icmp
add action=mark-connection chain=(${W} . "_Conn") disabled=no dst-port=53 new-connection-mark=(${W} . "_icmp_connect") passthrough=no protocol=udp
add action=mark-packet chain={UP} connection-mark=(${W} . "_icmp_connect") disabled=no new-packet-mark=(${W} . "_icmp_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_icmp_connect") disabled=no new-packet-mark=(${W} . "_icmp_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") comment=(${W} . "_Server") disabled=no new-connection-mark=(${W} . "_Server_Conn") passthrough=no src-address-list=Server_list
add action=mark-packet chain={UP} connection-mark=(${W} . "_Server_Conn") disabled=no new-packet-mark=(${W} . "_Server_up") out-interface=${W} passthrough=no src-address-list=Server_list
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_Server_Conn") disabled=no in-interface=${W} new-packet-mark=(${W} . "_Server_down") passthrough=no src-address-type=!local
