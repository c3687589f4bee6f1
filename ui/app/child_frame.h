#pragma once
// CChildFrame: the frame of every document window (specification and HTML documents alike),
// inside the main frame. Its menu bar is menu 129 for a specification document and menu 130 for
// an HTML document.

#include <wx/docmdi.h>

class CChildFrame : public wxDocMDIChildFrame {
 public:
  CChildFrame(wxDocument* doc, wxView* view, wxMDIParentFrame* parent, const wxString& title);
};

// Creates the child frame that shows a view of a document, inside the application's main frame.
// Views call this from their OnCreate.
CChildFrame* CreateChildFrame(wxDocument* doc, wxView* view);
