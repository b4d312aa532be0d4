## The types go by their names, which do not change with how a release prints
## pcq-limit; two built-in types have pcq-limit=50 too. QvTypesLeft holds
## those still there. The import and Qostrel_Remove run the same code.
/queue type
:global QvTypesLeft [:toarray ""]
:local QvTypeNames {"out_1_up";"out_3_up";"out_2_up";"out_4_up";"out_5_up";"out_6_up";
  "out_7_up";"out_0_up";"out_-1_up";"out_-2_up";"out_-3_up";"out_8_up";"in_Server_down";"out_Server_up";
  "in_1_down";"in_2_down";"in_3_down";"in_4_down";"in_5_down";"in_6_down";"in_7_down";
  "in_0_down";"in_-1_down";"in_-2_down";"in_-3_down";"in_8_down"}
:foreach QvType in=$QvTypeNames do={
  :do {
    remove [find name=$QvType]
  } on-error={}
  :if ([:len [find name=$QvType]] > 0) do={
    :set QvTypesLeft ($QvTypesLeft, $QvType)
  }
}
