## One WAN line's address in Network.
## Fills: W, the line's name (eth0); its address is ${W}ip.
add address=(${W}ip) comment="" disabled=no list=Network
