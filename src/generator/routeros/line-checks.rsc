## Opens each step of up to 8 lines' checks: the globals the checks use, which
## step 1 and the LAN check's step set.
:global QvStop
:global QvSeen
:global QvBadIp
:global QvSameIp
:global QvNoWan
:global QvNoAddress
:global QvNotHeld
:global QvSlowUp
:global QvSlowDown
:global QvLines
