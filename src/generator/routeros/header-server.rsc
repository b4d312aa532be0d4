#Tarnwell服务端IP地址
