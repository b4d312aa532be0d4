## From v6 on the classes are one loop on the router: the rules of a class
## differ only in its number and DSCP, and stand in the order the v5 text
## writes them; class 3 marks winbox first, class 4 marks web traffic first.
## Needs line-chains.rsc's locals.
:local QvNote ($QvWan . "_Qos")
:foreach QvClass in={{"1";8};{"2";7};{"3";6};{"4";5};{"5";4};{"6";3};{"7";2};{"8";1};{"-1";33};{"-2";34};{"-3";35};{"0";0}} do={
  :local QvMark ($QvWan . "_" . [:pick $QvClass 0])
  :local QvConnMark ($QvMark . "_Conn")
  :if ([:pick $QvClass 0] = "3") do={
    add action=mark-connection chain=$QvConn disabled=no layer7-protocol=winbox new-connection-mark=$QvConnMark passthrough=no protocol=tcp
  }
  add action=mark-connection chain=$QvConn comment=$QvNote disabled=no dscp=[:pick $QvClass 1] new-connection-mark=$QvConnMark passthrough=no
  :set QvNote ""
  :if ([:pick $QvClass 0] = "4") do={
    add action=mark-packet chain=$QvUp connection-bytes=0-500000 connection-mark=$QvConnMark disabled=no new-packet-mark=($QvMark . "_web_up") passthrough=no protocol=tcp src-address-list=Online
    add action=mark-packet chain=$QvDown connection-bytes=0-800000 connection-mark=$QvConnMark disabled=no new-packet-mark=($QvMark . "_web_down") passthrough=no protocol=tcp src-address-type=!local
  }
  add action=mark-packet chain=$QvUp connection-mark=$QvConnMark disabled=no new-packet-mark=($QvMark . "_up") passthrough=no src-address-list=Online
  add action=mark-packet chain=$QvDown connection-mark=$QvConnMark disabled=no new-packet-mark=($QvMark . "_down") passthrough=no src-address-type=!local
}
