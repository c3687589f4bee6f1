#pragma once
// The mouse wheel over a closed combo box of a form scrolls the form instead of changing the
// combo's value: a value changes only when the user picks a row of the open list or types.

class wxScrolledWindow;

// Applies to every combo box and drop-down list on the form (and to the windows inside them,
// such as the edit field of an editable combo). Call once the form's controls are created.
void LetWheelScrollForm(wxScrolledWindow* form);
