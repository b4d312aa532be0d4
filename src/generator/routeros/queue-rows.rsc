## The queues of a line, in the order they are added, parents first: each
## row is its name around the line's name, its packet mark after it ("" for
## none), its parent around it (a parent without an end is a root), its
## priority and queue type ("" for the default), and its limit-at and
## max-limit in tenths of the line's rate (-1: the rate less 1000000). A
## queue whose name ends in _up takes the upload rate, one in _down the
## download rate. The v5 text's tree, byte for byte: the download Low_ leaf
## 8.5_ (not 8.4_), the class 4 queues in the other direction's run, and the
## upload class 4 web leaf at priority 5. The clearing knows earlier
## releases' queues by these rows too.
:global QvQueueRows {{"";"_down";"";"Global_down";"";8;"";0;-1};{"";"_up";"";"Global_up";"";8;"";0;-1};
  {"1_";"_up";"_1_up";"";"_up";1;"out_1_up";0;0};{"2_";"_up";"_2_up";"";"_up";2;"out_2_up";0;0};
  {"3_";"_up";"_3_up";"";"_up";3;"out_3_up";0;0};{"4_";"_web_down";"";"";"_down";4;"";0;0};
  {"4.1_";"_down";"_4_web_down";"4_";"_web_down";4;"in_4_down";0;0};{"4.2_";"_down";"_4_down";"4_";"_web_down";5;"in_4_down";0;0};
  {"5_";"_up";"_5_up";"";"_up";5;"out_5_up";0;0};{"6_";"_up";"_6_up";"";"_up";6;"out_6_up";0;0};
  {"7_";"_up";"_7_up";"";"_up";7;"out_7_up";0;0};{"Low_";"_up";"";"";"_up";8;"";2;9};
  {"8.0_";"_up";"_8_up";"Low_";"_up";4;"out_8_up";0;0};{"8.1_";"_up";"_0_up";"Low_";"_up";5;"out_0_up";0;0};
  {"8.2_";"_up";"_-1_up";"Low_";"_up";6;"out_-1_up";0;0};{"8.3_";"_up";"_-2_up";"Low_";"_up";7;"out_-2_up";0;0};
  {"8.4_";"_up";"_-3_up";"Low_";"_up";8;"out_-3_up";0;0};{"1_";"_down";"_1_down";"";"_down";1;"in_1_down";0;0};
  {"2_";"_down";"_2_down";"";"_down";2;"in_2_down";0;0};{"3_";"_down";"_3_down";"";"_down";3;"in_3_down";0;0};
  {"4_";"_web_up";"";"";"_up";4;"";0;0};{"4.1_";"_web_up";"_4_web_up";"4_";"_web_up";5;"out_4_up";0;0};
  {"4.2_";"_web_up";"_4_up";"4_";"_web_up";5;"out_4_up";0;0};{"5_";"_down";"_5_down";"";"_down";5;"in_5_down";0;0};
  {"6_";"_down";"_6_down";"";"_down";6;"in_6_down";0;0};{"7_";"_down";"_7_down";"";"_down";7;"in_7_down";0;0};
  {"Low_";"_down";"";"";"_down";8;"";2;9};{"8.0_";"_down";"_8_down";"Low_";"_down";4;"in_8_down";0;0};
  {"8.1_";"_down";"_0_down";"Low_";"_down";5;"in_0_down";0;0};{"8.2_";"_down";"_-1_down";"Low_";"_down";6;"in_-1_down";0;0};
  {"8.3_";"_down";"_-2_down";"Low_";"_down";7;"in_-2_down";0;0};{"8.5_";"_down";"_-3_down";"Low_";"_down";8;"in_-3_down";0;0};
  {"";"_Server_up";"_Server_up";"";"_up";8;"out_Server_up";0;5};{"";"_Small_ICMP_up";"_icmp_up";"";"_up";1;"default";0;5};
  {"";"_Small_ICMP_down";"_icmp_down";"";"_down";1;"default";0;5};{"";"_Server_down";"_Server_down";"";"_down";8;"in_Server_down";0;9}}
