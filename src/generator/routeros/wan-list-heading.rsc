## Opens the WAN addresses of Network.

#导入外网ip地址
/ip firewall address-list
