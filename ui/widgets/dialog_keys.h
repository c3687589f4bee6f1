#pragma once
// Keys of the program's dialogs that their controls would otherwise keep for themselves.

class wxDialog;
class wxWindow;

// Return (without modifiers) while the focus is in control, or in a part of it, presses the
// dialog's default button, as Return does in the dialog's other controls. Report lists would
// take it for a double click and date pickers ignore it.
void ReturnPressesDefaultButton(wxDialog* dialog, wxWindow* control);
