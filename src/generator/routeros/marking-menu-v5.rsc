## Opens a line's marking in the v5 text.

/ip firewall mangle
