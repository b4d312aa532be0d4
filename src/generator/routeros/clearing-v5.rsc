## v5: the old mangle rules, queue types and queue tree, the types before
## the tree that uses them.

#清理信息mangle type tree 旧信息
/ip firewall mangle
remove [find dscp!="63"]
/queue type
remove [find pcq-limit=50]
/queue tree
remove [find priority!=8]
remove [find priority=8]

