// Command 32780 is both the form's structure "編集" button and the HTML window's refresh: each
// window runs its own, whichever other windows are open.

#include <string>

#include <wx/button.h>
#include <wx/mdi.h>
#include <wx/menu.h>
#include <wx/webview.h>

#include "core/model/spec_store.h"
#include "tests/ui/app/app_fixture.h"
#include "ui/browse/brows_view.h"
#include "ui/dialogs/struct_def_dlg.h"
#include "ui/res/ids.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

namespace {

bool Send(wxWindow* target, int id) {
  wxCommandEvent event(wxEVT_MENU, id);
  event.SetEventObject(target);
  return target->GetEventHandler()->ProcessEvent(event);
}

wxString BodyText(CBrowsView* view, const wxString& expected) {
  wxString text;
  PumpUntil([&] {
    return !view->GetWebView()->IsBusy() &&
           view->GetWebView()->RunScript(wxS("document.body ? document.body.textContent : ''"),
                                         &text) &&
           text == expected;
  });
  return text;
}

// Answers the structure dialog with Cancel, noting which structure it opened on.
class CancelStructDlg : public wxExpectModalBase<CStructDefDlg> {
 public:
  explicit CancelStructDlg(std::string* opened_on) : opened_on_(opened_on) {}

 protected:
  int OnInvoked(CStructDefDlg* dialog) const override {
    *opened_on_ = dialog->GetStruct().GetRecordName();
    return wxID_CANCEL;
  }

 private:
  std::string* opened_on_;
};

TEST_F(AppTest, StructureEditAndPageRefreshEachStayInTheirWindow) {
  const wxString document = Path(wxS("structs.dcm"));
  {
    quillmap::SpecStore store;
    store.AddStruct("POINT");
    quillmap::SaveStoreToPath(store, document.utf8_string());
  }
  const wxString page = Path(wxS("page.htm"));
  WriteBytes(page, "<html><body>first</body></html>");
  ASSERT_TRUE(Start(document));
  auto* form = wxDynamicCast(Documents()[0]->GetFirstView(), CFuncView);
  ASSERT_NE(form, nullptr);
  form->StructureList()->SetSelectionMark(0);
  auto* form_frame = static_cast<wxFrame*>(form->GetFrame());
  // The function document's menus carry no refresh item; its button 32780 is on.
  EXPECT_EQ(form_frame->GetMenuBar()->FindItem(ids::kRefresh), nullptr);
  Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  form_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_TRUE(form->Button(ids::kEditStructure)->IsEnabled());

  ASSERT_NE(Manager()->CreateDocument(page, wxDOC_SILENT), nullptr);
  Pump();
  ASSERT_EQ(Documents().size(), 2u);
  auto* browser = wxDynamicCast(Documents()[1]->GetFirstView(), CBrowsView);
  ASSERT_NE(browser, nullptr);
  ASSERT_EQ(BodyText(browser, wxS("first")), wxS("first"));
  auto* page_frame = static_cast<wxFrame*>(browser->GetFrame());

  // Refresh in the page's window reloads the page and opens no structure dialog (any dialog
  // fails the test), from the window and from the main frame's routing alike.
  WriteBytes(page, "<html><body>second</body></html>");
  EXPECT_TRUE(Send(page_frame, ids::kRefresh));
  EXPECT_EQ(BodyText(browser, wxS("second")), wxS("second"));
  WriteBytes(page, "<html><body>third</body></html>");
  EXPECT_TRUE(Send(Frame(), ids::kRefresh));
  EXPECT_EQ(BodyText(browser, wxS("third")), wxS("third"));

  // In the document's window the same number edits the marked structure.
  auto* child = wxDynamicCast(form_frame, wxMDIChildFrame);
  ASSERT_NE(child, nullptr);
  child->Activate();
  Pump();
  ASSERT_EQ(Manager()->GetCurrentView(), form);
  std::string opened_on;
  wxTEST_DIALOG(Send(form_frame, ids::kEditStructure), CancelStructDlg(&opened_on));
  EXPECT_EQ(opened_on, "POINT");
}

}  // namespace
