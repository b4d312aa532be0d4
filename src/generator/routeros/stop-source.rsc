## The one way the v6/v7 script stops with a message: it prints and logs the
## message QvFail and ends the run with QvStop. Step 1 stores it in QvStopWith
## by :parse; an :error inside a called function ends its caller too, as
## eworm's $LogPrintExit2 relies on.
:global QvFail
:global QvStop
:put $QvFail
:log error $QvFail
:error $QvStop
