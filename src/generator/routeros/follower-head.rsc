## The follower's comment holds the interfaces it watches, as data: each as
## " <length in bytes>:<name>", whatever the name holds. The first step starts
## it.
:global QvWans

#新增计划任务Qostrel_Network：每分钟让Network跟随WAN网卡当前的IP地址，PPPoE重拨后端口映射仍然有效
:set QvWans "Qostrel WAN"
