## Step 2, first part: the LAN interface. A default v6/v7 router calls its
## interface list "LAN"; the LAN side is the bridge. Releases before 6.41 have
## no interface lists, so that menu is only parsed when the script runs, where
## a failure is caught. A bridge port is no LAN interface either: routed
## traffic comes in on the bridge.
## Fills: LAN, the LAN interface's global.

:local QvLan ${LAN}
:global QvStop
:if ([:len [/interface find name=$QvLan]] = 0) do={
  :local QvIsList false
  :do {
    :local QvFind [:parse ":global {LAN}; :return [/interface list find name=\${LAN}]"]
    :set QvIsList ([:len [$QvFind]] > 0)
  } on-error={}
  :local QvMsg ("{LAN} = " . $QvLan . "：路由器上没有这个网卡。请在“LAN网卡名称”中填写路由器上内网网卡或网桥的名称，重新生成脚本")
  :if ($QvIsList) do={
    :set QvMsg ("{LAN} = " . $QvLan . "：这是接口列表，不是网卡。请在“LAN网卡名称”中填写网桥的名称（默认配置为bridge），重新生成脚本")
  }
  :put $QvMsg
  :log error $QvMsg
  :error $QvStop
}
:if ([:len [/interface bridge port find interface=$QvLan]] > 0) do={
  :local QvBridge [/interface bridge port get [find interface=$QvLan] bridge]
  :local QvMsg ("{LAN} = " . $QvLan . "：这是网桥的端口，不能用作LAN网卡。请在“LAN网卡名称”中填写网桥的名称" . $QvBridge . "，重新生成脚本")
  :put $QvMsg
  :log error $QvMsg
  :error $QvStop
}
