#pragma once
// Keyboard focus order of a form: Tab and Shift+Tab move through the form's controls in a fixed
// order, passing over disabled and hidden ones and wrapping around at either end, so that the
// focus never leaves the form (on GTK a form inside a notebook page would otherwise hand it to
// the page and the tab). Multi-line edits take Tab as a move too, like the rest of the form;
// Ctrl+Tab types a tab character in them.

#include <vector>

class wxWindow;

// Makes `order` the Tab order of the controls inside `form`. The windows must be children of
// the form and outlive nothing: the order is kept by the form.
void UseTabOrder(wxWindow* form, std::vector<wxWindow*> order);
