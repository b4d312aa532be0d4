## One line's jumps into its connection chain, from forward, both ways, with
## Qostrel's mark.
## Fills: W, the line's name (eth0), whose global is the interface.

add action=jump chain=forward comment=("Qostrel " . ${W} . "_Conn") disabled=no jump-target=(${W} . "_Conn") out-interface=${W}
add action=jump chain=forward comment=Qostrel disabled=no in-interface=${W} jump-target=(${W} . "_Conn")
