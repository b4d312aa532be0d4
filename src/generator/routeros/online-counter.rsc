## The scheduler Online_Stat with Qostrel's mark (an Online_Stat with the
## operator's own comment stays), in export layout: a line ending in a
## backslash goes on in the next, which starts with four spaces. The log text
## is 当前 … 台客户机在线 as GBK byte escapes.
## Fills: TODAY, the start date: jan/01/1970 in v5, from v6 on today's as
## the router prints it.
## Also MARKEDORBARE, the pattern of a comment with Qostrel's mark, or of
## none, as earlier versions left theirs.

#新增Online在线统计
/system scheduler
:foreach QvTask in=[find name=Online_Stat] do={
  :if ([:tostr [get $QvTask comment]] ~ "{MARKEDORBARE}") do={
    remove $QvTask
  }
}
add comment=Qostrel disabled=no interval=10m name=Online_Stat on-event=":global s 0\
    \r\
    \n:foreach i in=[/ip firewall address-list find list=Online] do={:set s (\
    \$s+1)}\r\
    \n:log info (\"\B5\B1\C7\B0\" . \$s . \"\CC\A8\BF\CD\BB\A7\BB\FA\D4\DA\CF\
    \DF\")" policy=reboot,read,write,policy,test,password,sniff,sensitive \
    start-date={TODAY} start-time=00:00:00

