## Qostrel_Network's code, as it runs every minute: every address of the
## listed interfaces joins Network with Qostrel's mark, every other address
## Qostrel put there leaves it, and a change is logged once. An entry with
## the operator's own comment stays. Then each of Qostrel's routes of a DHCP line follows
## the client's gateway, keeping v7's @main. The interface names are data in
## the scheduler's comment and the routes' comments; the code holds none of
## them, whatever they hold.
## Fills: MARKEDORBARE, the pattern of a comment with Qostrel's mark, or of
## none, as earlier versions left theirs.
:local wans [/system scheduler get [find name=Qostrel_Network] comment]
:set wans [:pick $wans 11 [:len $wans]]
:local want " "
:local added ""
:while ([:len $wans] > 0) do={
  :local at [:find $wans ":"]
  :if ([:typeof $at] != "num") do={
    :set wans ""
  } else={
    :local size [:tonum [:pick $wans 1 $at]]
    :local wan [:pick $wans ($at + 1) ($at + 1 + $size)]
    :set wans [:pick $wans ($at + 1 + $size) [:len $wans]]
    :foreach id in=[/ip address find interface=$wan disabled=no] do={
      :local ip [:tostr [/ip address get $id address]]
      :set ip [:pick $ip 0 [:find $ip "/"]]
      :set want ($want . $ip . " ")
      :if ([:len [/ip firewall address-list find list=Network address=$ip]] = 0) do={
        /ip firewall address-list add address=$ip comment=Qostrel list=Network
        :set added ($added . " " . $wan . " " . $ip)
      }
    }
  }
}
:local gone ""
:foreach id in=[/ip firewall address-list find list=Network dynamic=no] do={
  :local ip [:tostr [/ip firewall address-list get $id address]]
  :local ours ([:tostr [/ip firewall address-list get $id comment]] ~ "{MARKEDORBARE}")
  :if ($ours && ([:typeof [:find $want (" " . $ip . " ")]] != "num")) do={
    /ip firewall address-list remove $id
    :set gone ($gone . " " . $ip)
  }
}
:if (($added != "") || ($gone != "")) do={
  :log info ("Qostrel: WAN网卡的IP地址变了，Network地址列表已更新：" . $gone . " ->" . $added)
}
:foreach id in=[/ip route find comment~"^Qostrel "] do={
  :local wan [:tostr [/ip route get $id comment]]
  :set wan [:pick $wan 8 [:len $wan]]
  :foreach client in=[/ip dhcp-client find interface=$wan disabled=no] do={
    :local gw ""
    :do {
      :set gw [:tostr [/ip dhcp-client get $client gateway]]
    } on-error={}
    :local now [:tostr [/ip route get $id gateway]]
    :if (([:len $gw] > 0) && ([:typeof [:find $now "@"]] = "num")) do={
      :set gw ($gw . [:pick $now [:find $now "@"] [:len $now]])
    }
    :if (([:len $gw] > 0) && ($gw != $now)) do={
      /ip route set $id gateway=$gw
      :log info ("Qostrel: " . $wan . " 的网关变了，Qostrel的路由已改为经过 " . $gw)
    }
  }
}
