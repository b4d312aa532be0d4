## A line's upload and download subtrees, fed by its packet marks. The tree's
## irregularities are kept byte for byte: the download Low_ leaf 8.5_ (not
## 8.4_), the class 4 queues in the other direction's run, and the upload
## class 4 web leaf at priority 5.
## Fills: W, the line's name (eth0); its bandwidths are ${W}Rx and ${W}Tx.

/queue tree
add limit-at=0 max-limit=(${W}Tx-1000000) name=(${W} . "_down") packet-mark="" parent=Global_down priority=8
add limit-at=0 max-limit=(${W}Rx-1000000) name=(${W} . "_up") packet-mark="" parent=Global_up priority=8
add limit-at=0 max-limit=0 name=("1_" . ${W} . "_up") packet-mark=(${W} . "_1_up") parent=(${W} . "_up") priority=1 queue=out_1_up
add limit-at=0 max-limit=0 name=("2_" . ${W} . "_up") packet-mark=(${W} . "_2_up") parent=(${W} . "_up") priority=2 queue=out_2_up
add limit-at=0 max-limit=0 name=("3_" . ${W} . "_up") packet-mark=(${W} . "_3_up") parent=(${W} . "_up") priority=3 queue=out_3_up
add limit-at=0 max-limit=0 name=("4_" . ${W} . "_web_down") packet-mark="" parent=(${W} . "_down") priority=4
add limit-at=0 max-limit=0 name=("4.1_" . ${W} . "_down") packet-mark=(${W} . "_4_web_down") parent=("4_" . ${W} . "_web_down") priority=4 queue=in_4_down
add limit-at=0 max-limit=0 name=("4.2_" . ${W} . "_down") packet-mark=(${W} . "_4_down") parent=("4_" . ${W} . "_web_down") priority=5 queue=in_4_down
add limit-at=0 max-limit=0 name=("5_" . ${W} . "_up") packet-mark=(${W} . "_5_up") parent=(${W} . "_up") priority=5 queue=out_5_up
add limit-at=0 max-limit=0 name=("6_" . ${W} . "_up") packet-mark=(${W} . "_6_up") parent=(${W} . "_up") priority=6 queue=out_6_up
add limit-at=0 max-limit=0 name=("7_" . ${W} . "_up") packet-mark=(${W} . "_7_up") parent=(${W} . "_up") priority=7 queue=out_7_up
add limit-at=((${W}Rx*2)/10) max-limit=((${W}Rx*9)/10) name=("Low_" . ${W} . "_up") packet-mark="" parent=(${W} . "_up") priority=8
add limit-at=0 max-limit=0 name=("8.0_" . ${W} . "_up") packet-mark=(${W} . "_8_up") parent=("Low_" . ${W} . "_up") priority=4 queue=out_8_up
add limit-at=0 max-limit=0 name=("8.1_" . ${W} . "_up") packet-mark=(${W} . "_0_up") parent=("Low_" . ${W} . "_up") priority=5 queue=out_0_up
add limit-at=0 max-limit=0 name=("8.2_" . ${W} . "_up") packet-mark=(${W} . "_-1_up") parent=("Low_" . ${W} . "_up") priority=6 queue=out_-1_up
add limit-at=0 max-limit=0 name=("8.3_" . ${W} . "_up") packet-mark=(${W} . "_-2_up") parent=("Low_" . ${W} . "_up") priority=7 queue=out_-2_up
add limit-at=0 max-limit=0 name=("8.4_" . ${W} . "_up") packet-mark=(${W} . "_-3_up") parent=("Low_" . ${W} . "_up") priority=8 queue=out_-3_up
add limit-at=0 max-limit=0 name=("1_" . ${W} . "_down") packet-mark=(${W} . "_1_down") parent=(${W} . "_down") priority=1 queue=in_1_down
add limit-at=0 max-limit=0 name=("2_" . ${W} . "_down") packet-mark=(${W} . "_2_down") parent=(${W} . "_down") priority=2 queue=in_2_down
add limit-at=0 max-limit=0 name=("3_" . ${W} . "_down") packet-mark=(${W} . "_3_down") parent=(${W} . "_down") priority=3 queue=in_3_down
add limit-at=0 max-limit=0 name=("4_" . ${W} . "_web_up") packet-mark="" parent=(${W} . "_up") priority=4
add limit-at=0 max-limit=0 name=("4.1_" . ${W} . "_web_up") packet-mark=(${W} . "_4_web_up") parent=("4_" . ${W} . "_web_up") priority=5 queue=out_4_up
add limit-at=0 max-limit=0 name=("4.2_" . ${W} . "_web_up") packet-mark=(${W} . "_4_up") parent=("4_" . ${W} . "_web_up") priority=5 queue=out_4_up
add limit-at=0 max-limit=0 name=("5_" . ${W} . "_down") packet-mark=(${W} . "_5_down") parent=(${W} . "_down") priority=5 queue=in_5_down
add limit-at=0 max-limit=0 name=("6_" . ${W} . "_down") packet-mark=(${W} . "_6_down") parent=(${W} . "_down") priority=6 queue=in_6_down
add limit-at=0 max-limit=0 name=("7_" . ${W} . "_down") packet-mark=(${W} . "_7_down") parent=(${W} . "_down") priority=7 queue=in_7_down
add limit-at=((${W}Tx*2)/10) max-limit=((${W}Tx*9)/10) name=("Low_" . ${W} . "_down") packet-mark="" parent=(${W} . "_down") priority=8
add limit-at=0 max-limit=0 name=("8.0_" . ${W} . "_down") packet-mark=(${W} . "_8_down") parent=("Low_" . ${W} . "_down") priority=4 queue=in_8_down
add limit-at=0 max-limit=0 name=("8.1_" . ${W} . "_down") packet-mark=(${W} . "_0_down") parent=("Low_" . ${W} . "_down") priority=5 queue=in_0_down
add limit-at=0 max-limit=0 name=("8.2_" . ${W} . "_down") packet-mark=(${W} . "_-1_down") parent=("Low_" . ${W} . "_down") priority=6 queue=in_-1_down
add limit-at=0 max-limit=0 name=("8.3_" . ${W} . "_down") packet-mark=(${W} . "_-2_down") parent=("Low_" . ${W} . "_down") priority=7 queue=in_-2_down
add limit-at=0 max-limit=0 name=("8.5_" . ${W} . "_down") packet-mark=(${W} . "_-3_down") parent=("Low_" . ${W} . "_down") priority=8 queue=in_-3_down
add limit-at=0 max-limit=((${W}Rx*5)/10) name=(${W} . "_Server_up") packet-mark=(${W} . "_Server_up") parent=(${W} . "_up") priority=8 queue=out_Server_up
add limit-at=0 max-limit=((${W}Rx*5)/10) name=(${W} . "_Small_ICMP_up") packet-mark=(${W} . "_icmp_up") parent=(${W} . "_up") priority=1 queue=default
add limit-at=0 max-limit=((${W}Tx*5)/10) name=(${W} . "_Small_ICMP_down") packet-mark=(${W} . "_icmp_down") parent=(${W} . "_down") priority=1 queue=default
add limit-at=0 max-limit=((${W}Tx*9)/10) name=(${W} . "_Server_down") packet-mark=(${W} . "_Server_down") parent=(${W} . "_down") priority=8 queue=in_Server_down
