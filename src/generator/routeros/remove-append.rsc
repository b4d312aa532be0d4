## Qostrel_Remove's code is longer than a step may be: the step before
## stored its first part, and this one adds the rest to it.
## Fills: REMOVEREST, the rest of the code as a quoted string in export layout.
/system script
:local QvRemove [find name=Qostrel_Remove]
set $QvRemove source=([get $QvRemove source] . "\
    {REMOVEREST}")
