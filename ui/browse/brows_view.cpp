#include "ui/browse/brows_view.h"

#include <wx/app.h>
#include <wx/filename.h>

#include "ui/app/child_frame.h"
#include "ui/browse/page_module.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/message_box.h"

wxIMPLEMENT_DYNAMIC_CLASS(CBrowsView, wxView);

wxBEGIN_EVENT_TABLE(CBrowsView, wxView) EVT_MENU(ids::kRefresh, CBrowsView::OnRefresh)
    wxEND_EVENT_TABLE()

        namespace {
  // The page engine can't be loaded: say so, with the loader's reason and what to do.
  void ReportMissingEngine(const wxString& reason) {
    ShowMessageBox(
        wxTheApp->GetTopWindow(),
        wxString::FromUTF8("HTML ページを表示する部品 (") + PageModulePath() +
            wxString::FromUTF8(") を読み込めません。quillmap を入れ直してください。\n\n") + reason,
        wxTheApp->GetAppDisplayName(), wxOK | wxICON_EXCLAMATION);
  }

}  // namespace

bool CBrowsView::OnCreate(wxDocument* doc, long flags) {
  if (!wxView::OnCreate(doc, flags)) return false;
  // The engine is loaded before the frame is made, so that a failure leaves no empty window.
  wxString error;
  const PageWindowFactory factory = LoadPageWindowFactory(&error);
  if (factory == nullptr) {
    ReportMissingEngine(error);
    return false;
  }
  CChildFrame* frame = CreateChildFrame(doc, this);
  if (frame == nullptr) return false;
  page_.reset(factory(frame, LoadWxString(ids::kStrPageNotGuarded)));
  return page_ != nullptr;
}

void CBrowsView::OnUpdate(wxView* /*sender*/, wxObject* /*hint*/) {
  // The page was found: its window may appear.
  ShowChildFrame(this);
  if (page_ == nullptr || GetDocument() == nullptr) return;
  const wxString path = GetDocument()->GetFilename();
  if (path.empty()) return;
  page_->Load(wxFileName::FileNameToURL(wxFileName(path)));
}

void CBrowsView::OnDraw(wxDC* /*dc*/) {
  // The web view paints itself.
}

void CBrowsView::OnRefresh(wxCommandEvent& /*event*/) {
  if (page_ != nullptr) page_->Reload();
}
