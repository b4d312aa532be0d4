## The operator's own IPv6 rules that mark connections or packets: those
## without Qostrel's mark. Returns how many are enabled.
## Fills: MARKED, the pattern of a comment with Qostrel's mark.
:local QvOwn 0
:foreach QvAction in={"mark-connection";"mark-packet"} do={
  :foreach QvRule in=[/ipv6 firewall mangle find action=$QvAction disabled=no dynamic=no] do={
    :if (!([:tostr [/ipv6 firewall mangle get $QvRule comment]] ~ "{MARKED}")) do={
      :set QvOwn ($QvOwn + 1)
    }
  }
}
:return $QvOwn
