## Opens each step of the lines' jumps.
/ip firewall mangle
