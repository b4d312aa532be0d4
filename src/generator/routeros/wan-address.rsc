## One WAN line's address in Network, with Qostrel's mark.
## Fills: W, the line's name (eth0); its address is ${W}ip.
add address=(${W}ip) comment=Qostrel disabled=no list=Network
