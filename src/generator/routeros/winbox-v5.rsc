## v5: the layer-7 protocol winbox. Backslashes are doubled so that the
## router stores the pattern with single ones.

#Winbox layer7过滤[固定值]
/ip firewall layer7-protocol
add comment="" name=winbox regexp="\\x12\\x02\\x69\\x6e\\x64"
