#pragma once
// CBrowsView: shows the page of a CBrowsDoc in the desktop's web view (WebKitGTK), which comes
// from the page module loaded on first use (ui/browse/page_module.h). It navigates to the
// document's file on every update and reloads the page the control shows on command 32780
// ("最新の情報に更新(&R)"). The page's scripts don't run and only local files load (the module's
// PageGuard, ui/page/page_guard.h).

#include <memory>

#include <wx/docview.h>

#include "ui/browse/page_window.h"

class CBrowsView : public wxView {
 public:
  CBrowsView() = default;

  // Fails, after telling the user why, when the page module can't be loaded.
  bool OnCreate(wxDocument* doc, long flags) override;
  void OnUpdate(wxView* sender, wxObject* hint) override;
  void OnDraw(wxDC* dc) override;

  // Command 32780: reload the page that the control shows now (which may be one reached by a
  // link), bypassing the cache so that a changed file shows its new content.
  void OnRefresh(wxCommandEvent& event);

  // The web view; only callers that link wx's web view library can use it as one.
  wxWebView* GetWebView() const { return page_ ? page_->WebView() : nullptr; }

 private:
  std::unique_ptr<PageWindow> page_;

  wxDECLARE_DYNAMIC_CLASS(CBrowsView);
  wxDECLARE_EVENT_TABLE();
};
