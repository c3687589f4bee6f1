#pragma once
// Find in a function document, for CFuncView: the find window, the search from the current
// position, and showing a match in the form (its function or structure selected and scrolled
// to in its list, the matching text or row selected in its control).

#include <string>

#include <wx/weakref.h>

#include "core/find/document_search.h"

class wxWindow;
class CFindDlg;
class CFuncView;

class ViewFind {
 public:
  explicit ViewFind(CFuncView& view);
  ~ViewFind();
  ViewFind(const ViewFind&) = delete;
  ViewFind& operator=(const ViewFind&) = delete;

  // Ctrl+F: shows the find window (made on first use) with the focus in its text.
  void OpenWindow();
  // F3 (forward) and Shift+F3: the next or previous match; without a text, opens the window.
  void Step(bool forward);
  // The find window, or null before the first Ctrl+F.
  CFindDlg* Window() const { return window_.get(); }

 private:
  // Where the search goes on from: after (or before) the last match while the form still shows
  // what it showed then, else the shown function, else the document's start (or end).
  quillmap::find::Position From(bool forward) const;
  std::int32_t ShownFunction() const;
  void Show(const quillmap::find::Found& found);
  // The control that shows a match's field, with the match selected in it.
  wxWindow* Select(const quillmap::find::Found& found);
  // Escape in the window: the focus goes to the control of the last match.
  void OnWindowClosed();
  void SetStatus(const wxString& text);

  CFuncView& view_;
  wxWeakRef<CFindDlg> window_;
  bool has_last_ = false;
  quillmap::find::Found last_;
  std::string last_shown_name_;  // the name field when the last match was shown
  wxWeakRef<wxWindow> last_control_;
};
