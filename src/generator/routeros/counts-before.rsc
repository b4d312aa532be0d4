## What the clearing left, so that the report at the end counts what the
## script itself created: the operator's own rules and queues, which it keeps.
:global QvTypes0 [:len [/queue type find]]
:global QvMangle0 [:len [/ip firewall mangle find dynamic=no]]
:global QvTree0 [:len [/queue tree find]]

