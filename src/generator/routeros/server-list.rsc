## The management server's address in Server_list, with Qostrel's mark;
## nothing when the operator's own entry already holds it.
## Fills: SERVER, the server's global.
#导入Tarnwell服务器ip地址
/ip firewall address-list
:if ([:len [find list=Server_list address=${SERVER}]] = 0) do={
  add address=(${SERVER}) comment=Qostrel disabled=no list=Server_list
}
