#pragma once
// The drop-down list of a GTK combo box in its list form ("appears-as-list"), kept usable for
// lists of tens of thousands of rows.

#include <gtk/gtk.h>

// Switches the combo box to its list form (one tree view for the drop-down instead of a menu item
// per row, which takes seconds for a few thousand rows and shows assistive technology no list),
// gives its rows one fixed height (so that opening the list measures no row), and keeps the
// opened list on the screen: GTK sizes it to all of its rows, and a window taller than X's
// 32,767 pixels ends the program.
void UseComboListForm(GtkComboBox* combo);

// The drop-down list's tree view; null while the combo box is not in its list form.
GtkTreeView* ComboListTree(GtkComboBox* combo);
