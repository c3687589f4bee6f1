#include "ui/app/main_frame.h"

#include <initializer_list>

#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "ui/app/command_probe.h"
#include "ui/app/doc_manager.h"
#include "ui/app/menu_builder.h"
#include "ui/res/art.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"

namespace {

// Commands of the program's own (not the framework's) that the menus, the tool bar and the
// form's list buttons carry. A document or view that handles one enables it; until then it
// stays disabled, so that no button or item offers a command that would do nothing.
constexpr std::initializer_list<int> kProgramCommands = {
    ids::kAddFunction,       ids::kDeleteFunction,
    ids::kCopyFunction,      ids::kAddArgument,
    ids::kDeleteArgument,    ids::kCopyArgument,
    ids::kMenuAddStructure,  ids::kMenuDeleteStructure,
    ids::kMenuCopyStructure, ids::kAddStructure,
    ids::kDeleteStructure,   ids::kCopyStructure,
    ids::kCopyToClipboard,   ids::kDocInfo,
    ids::kFuncSpecSettings,  ids::kHtmlExport,
    ids::kRefresh,
};

class FileDropTarget : public wxFileDropTarget {
 public:
  explicit FileDropTarget(CMainFrame* frame) : frame_(frame) {}
  bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
    frame_->OpenFiles(files);
    return true;
  }

 private:
  CMainFrame* frame_;
};

}  // namespace

wxBEGIN_EVENT_TABLE(CMainFrame, wxDocMDIParentFrame) EVT_IDLE(CMainFrame::OnIdle)
    EVT_MENU(ids::kViewToolBar, CMainFrame::OnViewToolBar)
        EVT_MENU(ids::kViewStatusBar, CMainFrame::OnViewStatusBar)
            EVT_UPDATE_UI(ids::kViewToolBar, CMainFrame::OnUpdateViewToolBar)
                EVT_UPDATE_UI(ids::kViewStatusBar, CMainFrame::OnUpdateViewStatusBar)
                    EVT_MENU(wxID_MDI_WINDOW_CASCADE, CMainFrame::OnWindowCascade)
                        EVT_MENU(wxID_MDI_WINDOW_TILE_HORZ, CMainFrame::OnWindowTile)
                            EVT_MENU(wxID_MDI_WINDOW_ARRANGE_ICONS, CMainFrame::OnWindowArrange)
                                wxEND_EVENT_TABLE()

                                    CMainFrame::CMainFrame(CDocManager* manager)
    : manager_(manager) {}

CMainFrame* CMainFrame::Create(CDocManager* manager) {
  auto* frame = new CMainFrame(manager);
  if (!frame->wxDocMDIParentFrame::Create(manager, nullptr, wxID_ANY, LoadWxString(ids::kMainFrame),
                                          wxDefaultPosition, wxSize(1000, 740),
                                          wxDEFAULT_FRAME_STYLE)) {
    delete frame;
    return nullptr;
  }
  frame->SetIcons(art::AppIcons());
  wxMenuBar* menu_bar = BuildMenuBar(ids::kMainFrame);
  frame->SetMenuBar(menu_bar);
  manager->FileHistoryUseMenu(FindRecentFileMenu(menu_bar));
  frame->SetAcceleratorTable(BuildAccelerators());
  if (!frame->CreateBars()) {
    manager->FileHistoryRemoveMenu(FindRecentFileMenu(menu_bar));
    frame->Destroy();
    return nullptr;
  }
  for (int command : kProgramCommands) {
    frame->Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateProgramCommand, frame, command);
  }
  frame->SetDropTarget(new FileDropTarget(frame));
  return frame;
}

bool CMainFrame::CreateBars() {
  // The bars' window ids (59392, 59393) are beyond the 15 bits wx accepts when a window is made,
  // so they are given once the bars exist.
  wxToolBar* tool_bar = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL);
  if (tool_bar == nullptr || !LoadToolBar(tool_bar)) return false;
  tool_bar->SetId(ids::kViewToolBar);

  wxStatusBar* status_bar = CreateStatusBar(1 + static_cast<int>(kIndicators.size()));
  if (status_bar == nullptr) return false;
  status_bar->SetId(ids::kViewStatusBar);
  // The message pane takes the rest; each indicator is as wide as its label.
  int widths[1 + kIndicators.size()] = {-1};
  for (size_t i = 0; i < kIndicators.size(); ++i) {
    widths[i + 1] = status_bar->GetTextExtent(LoadWxString(kIndicators[i])).GetWidth() + 16;
  }
  status_bar->SetStatusWidths(1 + static_cast<int>(kIndicators.size()), widths);
  SetStatusBarPane(0);
  status_bar->SetStatusText(LoadWxString(ids::kStrReady), 0);
  UpdateIndicators();
  return true;
}

void CMainFrame::OpenFiles(const wxArrayString& files) {
  Raise();
  for (const wxString& file : files) manager_->OpenFile(file);
}

void CMainFrame::DoGiveHelp(const wxString& text, bool show) {
  if (wxStatusBar* status_bar = GetStatusBar()) {
    status_bar->SetStatusText(show ? text : LoadWxString(ids::kStrReady), 0);
  }
}

bool CMainFrame::KeyboardLockIsOn(int indicator) {
  switch (indicator) {
    case ids::kIndicatorCaps:
      return wxGetKeyState(WXK_CAPITAL);
    case ids::kIndicatorNum:
      return wxGetKeyState(WXK_NUMLOCK);
    case ids::kIndicatorScroll:
      return wxGetKeyState(WXK_SCROLL);
    default:
      return false;
  }
}

void CMainFrame::UpdateIndicators(const std::function<bool(int)>& lock_is_on) {
  wxStatusBar* status_bar = GetStatusBar();
  if (status_bar == nullptr) return;
  for (size_t i = 0; i < kIndicators.size(); ++i) {
    const wxString text = lock_is_on(kIndicators[i]) ? LoadWxString(kIndicators[i]) : wxString();
    if (status_bar->GetStatusText(static_cast<int>(i + 1)) != text) {
      status_bar->SetStatusText(text, static_cast<int>(i + 1));
    }
  }
}

wxString CMainFrame::MakeCaption() const {
  wxString caption = LoadWxString(ids::kMainFrame);
  if (wxDocument* doc = manager_->GetCurrentDocument()) {
    // The document as its window's tab names it: wx marks a modified document with "*".
    caption << wxS(" - ") << doc->GetUserReadableName();
    if (doc->IsModified()) caption << wxS("*");
  }
  return caption;
}

void CMainFrame::OnIdle(wxIdleEvent& event) {
  UpdateIndicators();
  const wxString caption = MakeCaption();
  if (GetTitle() != caption) SetTitle(caption);
  event.Skip();
}

void CMainFrame::OnViewToolBar(wxCommandEvent& /*event*/) {
  if (wxToolBar* tool_bar = GetToolBar()) {
    tool_bar->Show(!tool_bar->IsShown());
    SendSizeEvent();
  }
}

void CMainFrame::OnViewStatusBar(wxCommandEvent& /*event*/) {
  if (wxStatusBar* status_bar = GetStatusBar()) {
    status_bar->Show(!status_bar->IsShown());
    SendSizeEvent();
  }
}

void CMainFrame::OnUpdateViewToolBar(wxUpdateUIEvent& event) {
  // The tool bar's own window id is the same number; only the menu item is a check item.
  if (event.GetEventObject() == GetToolBar()) return event.Skip();
  event.Check(GetToolBar() != nullptr && GetToolBar()->IsShown());
}

void CMainFrame::OnUpdateViewStatusBar(wxUpdateUIEvent& event) {
  if (event.GetEventObject() == GetStatusBar()) return event.Skip();
  event.Check(GetStatusBar() != nullptr && GetStatusBar()->IsShown());
}

void CMainFrame::OnUpdateProgramCommand(wxUpdateUIEvent& event) {
  // Reached only when the active view and document did not take the update themselves.
  bool handled = false;
  if (wxView* view = manager_->GetCurrentView()) {
    const int id = event.GetId();
    handled = HandlesCommand(view, id) || HandlesCommand(view->GetDocument(), id) ||
              (view->GetFrame() != nullptr && HandlesCommand(view->GetFrame(), id));
  }
  event.Enable(handled);
}

// Document windows are tabs of the main frame on this desktop: the arrangement commands ask the
// frame to arrange them, which it does only where the desktop's MDI frame can.
void CMainFrame::OnWindowCascade(wxCommandEvent& /*event*/) {
  Cascade();
}
void CMainFrame::OnWindowTile(wxCommandEvent& /*event*/) {
  Tile(wxHORIZONTAL);
}
void CMainFrame::OnWindowArrange(wxCommandEvent& /*event*/) {
  ArrangeIcons();
}
