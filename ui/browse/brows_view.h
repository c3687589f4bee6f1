#pragma once
// CBrowsView: shows the page of a CBrowsDoc in the desktop's web view (WebKitGTK). It navigates
// to the document's file on every update and reloads the page the control shows on command
// 32780 ("最新の情報に更新(&R)"). The page's scripts don't run and only local files load
// (PageGuard).

#include <memory>

#include <wx/docview.h>

#include "ui/browse/page_guard.h"

class wxWebView;

class CBrowsView : public wxView {
 public:
  CBrowsView() = default;
  ~CBrowsView() override;

  bool OnCreate(wxDocument* doc, long flags) override;
  void OnUpdate(wxView* sender, wxObject* hint) override;
  void OnDraw(wxDC* dc) override;

  // Command 32780: reload the page that the control shows now (which may be one reached by a
  // link), bypassing the cache so that a changed file shows its new content.
  void OnRefresh(wxCommandEvent& event);

  wxWebView* GetWebView() const { return web_view_; }

 private:
  wxWebView* web_view_ = nullptr;
  // Scripts off and local files only, for every page the window shows.
  std::unique_ptr<PageGuard> guard_;

  wxDECLARE_DYNAMIC_CLASS(CBrowsView);
  wxDECLARE_EVENT_TABLE();
};
