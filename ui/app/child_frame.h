#pragma once
// CChildFrame: the frame of every document window (function and HTML documents alike),
// inside the main frame. Its menu bar is menu 129 for a function document and menu 130 for
// an HTML document.

#include <wx/docmdi.h>

class CChildFrame : public wxDocMDIChildFrame {
 public:
  CChildFrame(wxDocument* doc, wxView* view, wxMDIParentFrame* parent, const wxString& title);
  ~CChildFrame() override;

  // Status-bar prompts of this frame's menu show in the main frame's status bar.
  void DoGiveHelp(const wxString& text, bool show) override;

  // Whether ShowChildFrame showed the frame already.
  bool WasShown() const { return was_shown_; }
  void SetWasShown() { was_shown_ = true; }

 private:
  wxMenu* recent_file_menu_ = nullptr;
  bool was_shown_ = false;
};

// Creates the child frame that shows a view of a document, inside the application's main frame,
// hidden, and makes the view the active one. Views call this from their OnCreate and create
// their window as the frame's only child: the frame lays it out to fill its client area.
// nullptr when there is no main frame.
CChildFrame* CreateChildFrame(wxDocument* doc, wxView* view);
// Shows the view's frame as the active window the first time it is called for it; later calls
// (later updates, such as a page loaded again after an export) leave the windows and the
// active view as they are. Views call this from their first update, which comes once the
// document is read (or made new): a document that fails to open never shows a window.
void ShowChildFrame(wxView* view);
