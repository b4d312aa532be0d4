## v5: the backup script, added and run at once; the last line of the PCQ
## types removes it.

#备份Mangle 、Queue tree 、Queue type [固定值]
/system script
add name=brookfenbackup policy=\
    ftp,reboot,read,write,policy,test,winbox,password,sniff,sensitive source="\
    :local name1 mangel\r\
    \n:local name2 tree\r\
    \n:local name3 pcq\r\
    \n:local sy \"_\"\r\
    \n:local year [:pick [/system clock get date] 7 11]\r\
    \n:local mon [:pick [/system clock get date] 0 3]\r\
    \n:local day [:pick [/system clock get date] 4 6]\r\
    \n:local hh [:pick [/system clock get time] 0 2] \r\
    \n:local mm [:pick [/system clock get time] 3 5] \r\
    \n:local time (\$hh . \$mm)\r\
    \n:local month {{\"jan\";\"01\"};{\"feb\";\"02\"};{\"mar\";\"03\"};{\"apr\
    \";\"04\"};{\"may\";\"05\"};{\"jun\";\"06\"};{\"jul\";\"07\"};{\"aug\";\"\
    08\"};{\"sep\";\"09\"};{\"oct\";\"10\"};{\"nov\";\"11\"};{\"dec\";\"12\"}}\
    \r\
    \n:foreach i in=\$month do={:if ([:pick \$i 0] = \$mon) do={:set month [:p\
    ick \$i 1] }}\r\
    \n:local filename1 (\$name1 . \$sy . \$day . \$month . \$year . \$sy . \$t\
    ime)\r\
    \n:local filename2 (\$name2 . \$sy . \$day . \$month . \$year . \$sy . \$t\
    ime)\r\
    \n:local filename3 (\$name3 . \$sy . \$day . \$month . \$year . \$sy . \$t\
    ime)\r\
    \n/ip firewall mangle export file=\$filename1\r\
    \n/queue type export file=\$filename2\r\
    \n/queue tree export file=\$filename3"
/system script run brookfenbackup
