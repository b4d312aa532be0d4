#pragma once

class QWidget;

// What both windows share beyond their forms.
//
// They use 宋体 at 12 px; where it is missing, a Song face from the CJK
// fonts shows the Chinese instead of boxes. The labels' boxes are sized for 宋体;
// a wider face would clip them, so a label grows away from its aligned edge
// until its text fits.
// No edit has a length limit. Both show the program's icon.
void SetUpForm(QWidget& form);
