## One step of the v6/v7 script: a top-level block that the console reads
## and runs on its own, so that no block grows with the number of lines. Its
## body runs only when the step before it completed. It sets its own number
## last but for the name of the step after it, which the report gives when
## that one stops: a step that stops, or that the console cut or could not
## parse, leaves every later step doing nothing, pasted or imported.
## Fills: PREVIOUS and NUMBER, the steps' numbers; NEXT, the next step's name
## as escapes; BODY, the step's own lines, indented.
{
  :global QvStep
  :global QvNextStep
  :if ($QvStep = {PREVIOUS}) do={
{BODY}
    :set QvStep {NUMBER}
    :set QvNextStep "{NEXT}"
  }
}
