## After the header: the chain's counter and the name of its first step,
## set on every run.
## Fills: FIRST, the first step's name as escapes.
:global QvStep 0
:global QvNextStep "{FIRST}"
