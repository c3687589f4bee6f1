#include "ui/browse/brows_view.h"

#include <webkit2/webkit2.h>
#include <wx/filename.h>
#include <wx/webview.h>

#include "ui/app/child_frame.h"
#include "ui/res/ids.h"

wxIMPLEMENT_DYNAMIC_CLASS(CBrowsView, wxView);

wxBEGIN_EVENT_TABLE(CBrowsView, wxView) EVT_MENU(ids::kRefresh, CBrowsView::OnRefresh)
    wxEND_EVENT_TABLE()

        namespace {
  // Pages that declare no charset are the program's Shift-JIS pages more often than not.
  void SetDefaultCharset(wxWebView * web_view) {
    auto* native = static_cast<WebKitWebView*>(web_view->GetNativeBackend());
    if (native == nullptr) return;
    webkit_settings_set_default_charset(webkit_web_view_get_settings(native), "shift_jis");
  }

}  // namespace

CBrowsView::~CBrowsView() = default;

bool CBrowsView::OnCreate(wxDocument* doc, long flags) {
  if (!wxView::OnCreate(doc, flags)) return false;
  CChildFrame* frame = CreateChildFrame(doc, this);
  if (frame == nullptr) return false;
  web_view_ = wxWebView::New(frame, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                             wxWebViewBackendWebKit);
  if (web_view_ == nullptr) return false;
  SetDefaultCharset(web_view_);
  guard_ = std::make_unique<PageGuard>(web_view_);
  return true;
}

void CBrowsView::OnUpdate(wxView* /*sender*/, wxObject* /*hint*/) {
  // The page was found: its window may appear.
  ShowChildFrame(this);
  if (web_view_ == nullptr || GetDocument() == nullptr) return;
  const wxString path = GetDocument()->GetFilename();
  if (path.empty()) return;
  guard_->Load(wxFileName::FileNameToURL(wxFileName(path)));
}

void CBrowsView::OnDraw(wxDC* /*dc*/) {
  // The web view paints itself.
}

void CBrowsView::OnRefresh(wxCommandEvent& /*event*/) {
  if (web_view_ != nullptr) web_view_->Reload(wxWEBVIEW_RELOAD_NO_CACHE);
}
