## One line's jumps into its connection chain, from forward, both ways.
## Fills: W, the line's name (eth0), whose global is the interface.

add action=jump chain=forward comment=(${W} . "_Conn") disabled=no jump-target=(${W} . "_Conn") out-interface=${W}
add action=jump chain=forward disabled=no in-interface=${W} jump-target=(${W} . "_Conn")
