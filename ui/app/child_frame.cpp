#include "ui/app/child_frame.h"

#include <wx/app.h>
#include <wx/menu.h>

#include "ui/app/menu_builder.h"
#include "ui/browse/brows_doc.h"
#include "ui/res/art.h"
#include "ui/res/ids.h"

namespace {

// Menu 130 for HTML documents, menu 129 for everything else (function documents).
int MenuIdFor(const wxDocument* doc) {
  return doc != nullptr && doc->IsKindOf(wxCLASSINFO(CBrowsDoc)) ? ids::kHtmlDocTemplate
                                                                 : ids::kFuncDocTemplate;
}

}  // namespace

CChildFrame::CChildFrame(wxDocument* doc, wxView* view, wxMDIParentFrame* parent,
                         const wxString& title) {
  Create(doc, view, parent, wxID_ANY, title);
  // Hidden until its document is read (before anything gets drawn): a file that fails to open
  // never shows a window.
  Hide();
  SetIcon(art::AppIcon());
  wxMenuBar* menu_bar = BuildMenuBar(MenuIdFor(doc));
  SetMenuBar(menu_bar);
  recent_file_menu_ = FindRecentFileMenu(menu_bar);
  if (wxDocManager* manager = doc != nullptr ? doc->GetDocumentManager() : nullptr) {
    manager->FileHistoryUseMenu(recent_file_menu_);
  }
}

CChildFrame::~CChildFrame() {
  if (wxDocManager* manager = wxDocManager::GetDocumentManager()) {
    manager->FileHistoryRemoveMenu(recent_file_menu_);
  }
}

void CChildFrame::DoGiveHelp(const wxString& text, bool show) {
  // The prompts of this frame's menu belong in the main frame's status bar.
  if (wxMDIParentFrame* parent = GetMDIParent()) parent->DoGiveHelp(text, show);
}

CChildFrame* CreateChildFrame(wxDocument* doc, wxView* view) {
  auto* parent = wxDynamicCast(wxTheApp->GetTopWindow(), wxMDIParentFrame);
  if (parent == nullptr || doc == nullptr) return nullptr;
  auto* frame = new CChildFrame(doc, view, parent, doc->GetUserReadableName());
  if (view != nullptr) view->Activate(true);
  return frame;
}

void ShowChildFrame(wxView* view) {
  auto* frame = view != nullptr ? wxDynamicCast(view->GetFrame(), CChildFrame) : nullptr;
  // Only once: a tab that is not in front counts as not shown on GTK, and showing and activating
  // it again would make its view the active one behind the tab in front.
  if (frame == nullptr || frame->WasShown()) return;
  frame->SetWasShown();
  // Shown, the frame becomes the main frame's current page by itself (wx brings a page inserted
  // last to the top); asking GTK for it again here would leave a web view blank.
  frame->Show();
  view->Activate(true);
  // Lay the view's window out once GTK has given the shown frame its place.
  frame->SendSizeEvent();
  frame->CallAfter([frame] { frame->SendSizeEvent(); });
}
