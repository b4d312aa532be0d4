## The management server's address in Server_list. From here on the v5
## text's own lines, which both targets write as they are.
## Fills: SERVER, the server's global.
#导入Tarnwell服务器ip地址
/ip firewall address-list
add address=(${SERVER}) comment="" disabled=no list=Server_list
