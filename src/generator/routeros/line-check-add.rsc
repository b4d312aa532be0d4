## A line for the checks of its step (line-check.rsc): its name and the
## values of its globals.
## Fills: W, the line's name (eth0); its globals are ${W}, ${W}ip, ${W}Rx and
## ${W}Tx.
:global QvCheckNames
:global QvCheckWans
:global QvCheckIps
:global QvCheckUps
:global QvCheckDowns
:set QvCheckNames ($QvCheckNames, "{W}")
:set QvCheckWans ($QvCheckWans, ${W})
:set QvCheckIps ($QvCheckIps, ${W}ip)
:set QvCheckUps ($QvCheckUps, ${W}Rx)
:set QvCheckDowns ($QvCheckDowns, ${W}Tx)
