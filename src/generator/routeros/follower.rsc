## The scheduler Qostrel_Network, once its comment is complete. It keeps the
## address list Network equal to the WAN interfaces' current addresses, so
## that the port forwards survive a PPPoE redial, and the route of a DHCP
## line's own table on the client's gateway. It keeps nothing in globals,
## which a reboot loses.
## Fills: FOLLOWERSOURCE, follower-source.rsc as a quoted string in export layout.
:global QvWans
:local QvToday [/system clock get date]
/system scheduler
add comment=$QvWans disabled=no interval=1m name=Qostrel_Network on-event="\
    {FOLLOWERSOURCE}" policy=read,write,test start-date=$QvToday start-time=00:00:00
