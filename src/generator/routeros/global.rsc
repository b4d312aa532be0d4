## A global of the header that a step uses, declared at the step's head.
## Fills: NAME.
:global {NAME}
