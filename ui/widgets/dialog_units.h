#pragma once
// Dialog units of the program's forms and dialogs, computed from the window's own font (the
// Japanese proportional Gothic at 9 points), the way dialog templates measure them: a quarter of
// the average width and an eighth of the height of that font's characters.

#include <wx/font.h>
#include <wx/gdicmn.h>

class wxWindow;

// IPA P Gothic 9 pt, the stand-in for the templates' "ＭＳ Ｐゴシック" 9 pt.
wxFont FormFont();

// Lets the buttons, edits and combo boxes inside container take the small heights that dialog
// units give them (the desktop theme's padding would make them taller than their place).
void UseCompactControls(wxWindow* container);

// Makes the drop-down list of a combo box or choice show the control's own font. GTK shows the
// list in a window of its own, which would otherwise take the desktop's default font.
void UseFontInDropDown(wxWindow* combo);

class DialogUnits {
 public:
  // Measures the font of window (set the font first).
  explicit DialogUnits(const wxWindow* window);
  int X(int units) const;
  int Y(int units) const;
  wxPoint Point(int x, int y) const { return wxPoint(X(x), Y(y)); }
  wxSize Size(int width, int height) const { return wxSize(X(width), Y(height)); }
  wxSize base() const { return base_; }

 private:
  wxSize base_;  // average character width and height in pixels
};
