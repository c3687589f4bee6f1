#pragma once
// Scrolling of a form that is larger than its window: scroll bars while the window is smaller
// than the form, none (and the form at its origin) once it is large enough again.

class wxScrolledWindow;

// Sets the form up to scroll by `step` pixels (horizontally and vertically). Call once the
// form's controls are placed and its virtual size is set.
void UseFormScrolling(wxScrolledWindow* form, int step_x, int step_y);
