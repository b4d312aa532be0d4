## Which mangle rules are Qostrel's, as ";<id>;<id>;" in QvMine: those with
## its mark (a comment that is Qostrel, or starts with "Qostrel "), and those
## exactly as the v5 text or an earlier release wrote them for some line.
## Such a rule's properties, with its line's name written ~, are one of the
## shapes below; the line's name is the one its chain or jump target ends
## in, its connection mark starts with, or else its interface. Every other
## rule is the operator's, whatever its names look like. The checks of the
## operator's own rules, the clearing and Qostrel_Remove take this list.
## Fills: LINEMARKS, a line's connection marks.
## Also MARKED, the pattern of a comment with Qostrel's mark.
/ip firewall mangle
:global QvMine ";"
:local QvLineMarks [:toarray "{LINEMARKS}"]
:local QvProps {"action";"address-list";"chain";"comment";"connection-bytes";"connection-mark";"dscp";"dst-port";
  "in-interface";"jump-target";"layer7-protocol";"new-connection-mark";"new-packet-mark";"new-routing-mark";
  "out-interface";"protocol";"src-address-list";"src-address-type"}
:local QvOnline " src-address-list=Online"
:local QvRemote " src-address-type=!local"
:local QvConn "|action=mark-connection chain=~_Conn"
:local QvToRoute "|action=jump chain=prerouting connection-mark=!no-mark"
:local QvShapes "|action=add-src-to-address-list address-list=Online chain=forward comment=Online in-interface=~ src-address-list=!Server_list"
:set QvShapes ($QvShapes . "|action=jump chain=forward comment=~_Conn jump-target=~_Conn out-interface=~")
:set QvShapes ($QvShapes . "|action=jump chain=forward in-interface=~ jump-target=~_Conn")
:set QvShapes ($QvShapes . "|action=jump chain=prerouting in-interface=~ jump-target=~_Qos_down")
:set QvShapes ($QvShapes . "|action=jump chain=postrouting jump-target=~_Qos_up out-interface=~")
:set QvShapes ($QvShapes . "|action=return chain=~_Conn connection-mark=!no-mark in-interface=~")
:set QvShapes ($QvShapes . $QvConn . " comment=~_icmp new-connection-mark=~_icmp_connect protocol=icmp")
:set QvShapes ($QvShapes . $QvConn . " dst-port=53 new-connection-mark=~_icmp_connect protocol=udp")
:set QvShapes ($QvShapes . $QvConn . " comment=~_Server new-connection-mark=~_Server_Conn src-address-list=Server_list")
:set QvShapes ($QvShapes . $QvConn . " layer7-protocol=winbox new-connection-mark=~_3_Conn protocol=tcp")
:set QvShapes ($QvShapes . $QvConn . " connection-mark=no-mark in-interface=~ new-connection-mark=~_0_Conn")
:set QvShapes ($QvShapes . "|action=mark-connection chain=Qostrel_In in-interface=~ new-connection-mark=~_In_Conn")
:set QvShapes ($QvShapes . "|action=jump chain=input connection-mark=no-mark jump-target=Qostrel_In")
:set QvShapes ($QvShapes . "|action=jump chain=output connection-mark=!no-mark jump-target=Qostrel_In_Conn")
:set QvShapes ($QvShapes . $QvToRoute . " in-interface=~ jump-target=Qostrel_icmp_connect protocol=icmp")
:set QvShapes ($QvShapes . $QvToRoute . " dst-port=53 in-interface=~ jump-target=Qostrel_icmp_connect protocol=udp")
:set QvShapes ($QvShapes . $QvToRoute . " in-interface=~ jump-target=Qostrel_Server_Conn src-address-list=Server_list")
:set QvShapes ($QvShapes . $QvToRoute . " in-interface=~ jump-target=Qostrel_Route")
:foreach QvMark in=$QvLineMarks do={
  :set QvShapes ($QvShapes . "|action=mark-routing chain=Qostrel_" . $QvMark . " connection-mark=~_" . $QvMark . " new-routing-mark=Qostrel_eth#")
  :if ($QvMark != "In_Conn") do={
    :set QvShapes ($QvShapes . "|action=jump chain=Qostrel_Route jump-target=Qostrel_" . $QvMark)
  }
}
:foreach QvClass in={{"1";8};{"2";7};{"3";6};{"4";5};{"5";4};{"6";3};{"7";2};{"8";1};{"-1";33};{"-2";34};{"-3";35};{"0";0}} do={
  :local QvNote ""
  :if ([:pick $QvClass 0] = "1") do={
    :set QvNote " comment=~_Qos"
  }
  :set QvShapes ($QvShapes . $QvConn . $QvNote . " dscp=" . [:pick $QvClass 1] . " new-connection-mark=~_" . [:pick $QvClass 0] . "_Conn")
  :set QvShapes ($QvShapes . $QvToRoute . " dscp=" . [:pick $QvClass 1] . " in-interface=~ jump-target=Qostrel_" . [:pick $QvClass 0] . "_Conn")
}
## The packet marks: the v5 text's in postrouting and prerouting, later
## releases' in the line's own chains.
:foreach QvWay in={{"postrouting";"prerouting"};{"~_Qos_up";"~_Qos_down"}} do={
  :local QvUp ("|action=mark-packet chain=" . [:pick $QvWay 0] . " connection-")
  :local QvDown ("|action=mark-packet chain=" . [:pick $QvWay 1] . " connection-")
  :set QvShapes ($QvShapes . $QvUp . "mark=~_icmp_connect new-packet-mark=~_icmp_up" . $QvOnline)
  :set QvShapes ($QvShapes . $QvDown . "mark=~_icmp_connect new-packet-mark=~_icmp_down" . $QvRemote)
  :set QvShapes ($QvShapes . $QvUp . "mark=~_Server_Conn new-packet-mark=~_Server_up out-interface=~ src-address-list=Server_list")
  :set QvShapes ($QvShapes . $QvDown . "mark=~_Server_Conn in-interface=~ new-packet-mark=~_Server_down" . $QvRemote)
  :set QvShapes ($QvShapes . $QvUp . "bytes=0-500000 connection-mark=~_4_Conn new-packet-mark=~_4_web_up protocol=tcp" . $QvOnline)
  :set QvShapes ($QvShapes . $QvDown . "bytes=0-800000 connection-mark=~_4_Conn new-packet-mark=~_4_web_down protocol=tcp" . $QvRemote)
  :foreach QvClass in={"1";"2";"3";"4";"5";"6";"7";"8";"-1";"-2";"-3";"0"} do={
    :set QvShapes ($QvShapes . $QvUp . "mark=~_" . $QvClass . "_Conn new-packet-mark=~_" . $QvClass . "_up" . $QvOnline)
    :set QvShapes ($QvShapes . $QvDown . "mark=~_" . $QvClass . "_Conn new-packet-mark=~_" . $QvClass . "_down" . $QvRemote)
  }
}
:set QvShapes ($QvShapes . "|")

:foreach QvRule in=[find dynamic=no] do={
  :local QvItem [get $QvRule]
  :if ([:tostr ($QvItem->"comment")] ~ "{MARKED}") do={
    :set QvMine ($QvMine . $QvRule . ";")
  } else={
    :local QvLine ""
    :foreach QvName in={"chain";"jump-target"} do={
      :local QvText [:tostr ($QvItem->$QvName)]
      :foreach QvEnd in={"_Conn";"_Qos_up";"_Qos_down"} do={
        :local QvCut ([:len $QvText] - [:len $QvEnd])
        :if (($QvLine = "") && ($QvCut > 0) && ([:pick $QvText $QvCut [:len $QvText]] = $QvEnd) && ([:pick $QvText 0 8] != "Qostrel_")) do={
          :set QvLine [:pick $QvText 0 $QvCut]
        }
      }
    }
    :local QvMarkText [:tostr ($QvItem->"connection-mark")]
    :foreach QvMark in=$QvLineMarks do={
      :local QvCut ([:len $QvMarkText] - [:len $QvMark] - 1)
      :if (($QvLine = "") && ($QvCut > 0) && ([:pick $QvMarkText $QvCut [:len $QvMarkText]] = ("_" . $QvMark))) do={
        :set QvLine [:pick $QvMarkText 0 $QvCut]
      }
    }
    :foreach QvName in={"in-interface";"out-interface"} do={
      :if ($QvLine = "") do={
        :set QvLine [:tostr ($QvItem->$QvName)]
      }
    }
    ## Its properties, the line's name written ~.
    :local QvShape ""
    :foreach QvName in=$QvProps do={
      :local QvText [:tostr ($QvItem->$QvName)]
      :if (($QvLine != "") && ($QvText = $QvLine)) do={
        :set QvText "~"
      }
      :if (($QvLine != "") && ([:pick $QvText 0 ([:len $QvLine] + 1)] = ($QvLine . "_"))) do={
        :set QvText ("~" . [:pick $QvText [:len $QvLine] [:len $QvText]])
      }
      :if (([:pick $QvText 0 11] = "Qostrel_eth") && ([:typeof [:tonum [:pick $QvText 11 [:len $QvText]]]] = "num")) do={
        :set QvText "Qostrel_eth#"
      }
      :if ([:len $QvText] > 0) do={
        :set QvShape ($QvShape . " " . $QvName . "=" . $QvText)
      }
    }
    :set QvShape [:pick $QvShape 1 [:len $QvShape]]
    :local QvKnown (([:typeof [:find $QvShape "|"]] != "num") && ([:typeof [:find $QvShapes ("|" . $QvShape . "|")]] = "num"))
    :if ($QvKnown) do={
      :set QvMine ($QvMine . $QvRule . ";")
    }
  }
}
