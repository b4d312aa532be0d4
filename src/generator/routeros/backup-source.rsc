## The backup script's code from v6 on, stored on the router. The router
## prints its date as dec/09/2026 before 7.10 and as 2026-12-09 from 7.10 on;
## the script reads the date once and takes either apart, so the files are
## named alike: mangel_09122026_1020.
:local name1 mangel
:local name2 tree
:local name3 pcq
:local sy "_"
:local today [/system clock get date]
:local year [:pick $today 7 11]
:local mon [:pick $today 0 3]
:local day [:pick $today 4 6]
:if ([:pick $today 4 5] = "-") do={
  :set year [:pick $today 0 4]
  :set mon [:pick $today 5 7]
  :set day [:pick $today 8 10]
}
:local hh [:pick [/system clock get time] 0 2]
:local mm [:pick [/system clock get time] 3 5]
:local time ($hh . $mm)
:local month $mon
:local months {{"jan";"01"};{"feb";"02"};{"mar";"03"};{"apr";"04"};{"may";"05"};{"jun";"06"};
  {"jul";"07"};{"aug";"08"};{"sep";"09"};{"oct";"10"};{"nov";"11"};{"dec";"12"}}
:foreach i in=$months do={
  :if ([:pick $i 0] = $mon) do={
    :set month [:pick $i 1]
  }
}
:local filename1 ($name1 . $sy . $day . $month . $year . $sy . $time)
:local filename2 ($name2 . $sy . $day . $month . $year . $sy . $time)
:local filename3 ($name3 . $sy . $day . $month . $year . $sy . $time)
/ip firewall mangle export file=$filename1
/queue type export file=$filename2
/queue tree export file=$filename3
