## One line's interface in the follower's comment.
## Fills: W, the line's name (eth0), whose global is the interface.
:global QvWans
:set QvWans ($QvWans . " " . [:len ${W}] . ":" . ${W})
