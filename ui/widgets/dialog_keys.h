#pragma once
// Return in the program's dialogs, the same on every desktop: a focused push button is pressed,
// anywhere else the dialog's default button is (when it is enabled); a multi-line edit keeps
// Return as a line break. Escape stays wx's own: it presses Cancel.

class wxDialog;

void PressDefaultOnReturn(wxDialog* dialog);
