## v5: a line's twelve DSCP classes. Class 4's web marks stand before its
## plain ones: a connection is "web" while its byte count is small.
## Fills: W, the line's name (eth0); UP and DOWN as for marking-first-v5.rsc.

add action=mark-connection chain=(${W} . "_Conn") comment=(${W} . "_Qos") disabled=no dscp=8 new-connection-mark=(${W} . "_1_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_1_Conn") disabled=no new-packet-mark=(${W} . "_1_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_1_Conn") disabled=no new-packet-mark=(${W} . "_1_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=7 new-connection-mark=(${W} . "_2_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_2_Conn") disabled=no new-packet-mark=(${W} . "_2_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_2_Conn") disabled=no new-packet-mark=(${W} . "_2_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no layer7-protocol=winbox new-connection-mark=(${W} . "_3_Conn") passthrough=no protocol=tcp
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=6 new-connection-mark=(${W} . "_3_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_3_Conn") disabled=no new-packet-mark=(${W} . "_3_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_3_Conn") disabled=no new-packet-mark=(${W} . "_3_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=5 new-connection-mark=(${W} . "_4_Conn") passthrough=no
add action=mark-packet chain={UP} connection-bytes=0-500000 connection-mark=(${W} . "_4_Conn") disabled=no new-packet-mark=(${W} . "_4_web_up") passthrough=no protocol=tcp src-address-list=Online
add action=mark-packet chain={DOWN} connection-bytes=0-800000 connection-mark=(${W} . "_4_Conn") disabled=no new-packet-mark=(${W} . "_4_web_down") passthrough=no protocol=tcp src-address-type=!local
add action=mark-packet chain={UP} connection-mark=(${W} . "_4_Conn") disabled=no new-packet-mark=(${W} . "_4_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_4_Conn") disabled=no new-packet-mark=(${W} . "_4_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=4 new-connection-mark=(${W} . "_5_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_5_Conn") disabled=no new-packet-mark=(${W} . "_5_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_5_Conn") disabled=no new-packet-mark=(${W} . "_5_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=3 new-connection-mark=(${W} . "_6_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_6_Conn") disabled=no new-packet-mark=(${W} . "_6_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_6_Conn") disabled=no new-packet-mark=(${W} . "_6_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=2 new-connection-mark=(${W} . "_7_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_7_Conn") disabled=no new-packet-mark=(${W} . "_7_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_7_Conn") disabled=no new-packet-mark=(${W} . "_7_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=1 new-connection-mark=(${W} . "_8_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_8_Conn") disabled=no new-packet-mark=(${W} . "_8_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_8_Conn") disabled=no new-packet-mark=(${W} . "_8_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=33 new-connection-mark=(${W} . "_-1_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_-1_Conn") disabled=no new-packet-mark=(${W} . "_-1_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_-1_Conn") disabled=no new-packet-mark=(${W} . "_-1_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=34 new-connection-mark=(${W} . "_-2_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_-2_Conn") disabled=no new-packet-mark=(${W} . "_-2_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_-2_Conn") disabled=no new-packet-mark=(${W} . "_-2_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=35 new-connection-mark=(${W} . "_-3_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_-3_Conn") disabled=no new-packet-mark=(${W} . "_-3_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_-3_Conn") disabled=no new-packet-mark=(${W} . "_-3_down") passthrough=no src-address-type=!local
add action=mark-connection chain=(${W} . "_Conn") disabled=no dscp=0 new-connection-mark=(${W} . "_0_Conn") passthrough=no
add action=mark-packet chain={UP} connection-mark=(${W} . "_0_Conn") disabled=no new-packet-mark=(${W} . "_0_up") passthrough=no src-address-list=Online
add action=mark-packet chain={DOWN} connection-mark=(${W} . "_0_Conn") disabled=no new-packet-mark=(${W} . "_0_down") passthrough=no src-address-type=!local
