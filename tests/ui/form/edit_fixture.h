#pragma once
// Fixture of the editing tests: a document with some functions, shown in a raised frame so that
// real keys and clicks reach the form.

#include <string>
#include <vector>

#include "edit_helpers.h"

class EditTest : public FormTest {
 protected:
  // Opens a document with these functions (each returning "int") and raises its frame.
  CFuncView* OpenWith(const std::vector<std::string>& names, const std::string& file_name) {
    quillmap::SpecStore store;
    AddFunctions(store, names);
    return Open(store, file_name);
  }

  CFuncView* Open(const quillmap::SpecStore& store, const std::string& file_name) {
    CFuncDoc* doc = OpenDocument(WriteDocument(store, file_name));
    CFuncView* view = ViewOf(doc);
    if (view == nullptr) return nullptr;
    frame_->Raise();
    Settle(10);
    return view;
  }

  // Sends a command as its Edit menu item does: to the document's frame.
  static void SendMenu(CFuncView* view, int id) {
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(view->GetFrame());
    view->GetFrame()->GetEventHandler()->ProcessEvent(command);
    Settle(2);
  }

  // A real click on a row of a list (which shows the function, in the function list).
  static void ClickRow(wxListCtrl* list, long row) { ClickAt(RowPoint(list, row)); }
};
