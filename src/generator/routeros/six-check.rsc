## Whether the router has IPv6: v7 always; v6 when its ipv6 package is
## enabled. Without it v6 has no /ipv6 menu at all, and a block that names one
## is refused whole: every IPv6 piece runs only where QvSix holds, and only
## through :parse.
## Sets: QvSix.
:global QvV7
:global QvSix $QvV7
:if (!$QvSix) do={
  :set QvSix ([:len [/system package find name=ipv6 disabled=no]] > 0)
}
