#pragma once
// The controls of the function form (template 101) and the code that lays them out in dialog
// units of the form's own font.

#include <map>

#include <wx/gdicmn.h>

class wxButton;
class wxChoice;
class wxScrolledWindow;
class wxWindow;
class SjisChoice;
class SjisComboBox;
class SjisListCtrl;
class SjisTextCtrl;

struct FormControls {
  SjisListCtrl* functions = nullptr;    // 1001
  SjisListCtrl* structures = nullptr;   // 1002
  SjisListCtrl* arguments = nullptr;    // 1014
  SjisTextCtrl* name = nullptr;         // 1030, read-only
  SjisTextCtrl* heading = nullptr;      // 1031
  SjisTextCtrl* return_text = nullptr;  // 1041
  SjisTextCtrl* explanation = nullptr;  // 1016
  SjisTextCtrl* note = nullptr;         // 1017
  SjisComboBox* return_type = nullptr;  // 1040
  SjisChoice* related = nullptr;        // 1021, sorted
  SjisChoice* history = nullptr;        // 1022
  wxChoice* attribute = nullptr;        // 1027
  std::map<int, wxButton*> buttons;     // by command id
};

// Size of the form in dialog units.
inline constexpr int kFormWidthDu = 384;
inline constexpr int kFormHeightDu = 259;

// Creates every control of the form on the scrolled window (whose font must be set) in tab
// order, and sets the window's virtual size to the form's size. Returns the form's size in
// pixels.
wxSize BuildFuncForm(wxScrolledWindow* form, FormControls& controls);
