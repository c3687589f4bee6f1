#pragma once
// CAboutDlg (dialog 100): the About box with the application icon, the version text (control
// 1085, string 128), a notice line and OK. It stores nothing.

#include <wx/dialog.h>

class CAboutDlg : public wxDialog {
 public:
  explicit CAboutDlg(wxWindow* parent);
};
