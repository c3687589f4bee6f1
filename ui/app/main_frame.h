#pragma once
// CMainFrame: the single top-level window. It carries menu 128 (shown while no document window
// is active), accelerator table 128, the tool bar (window id 59392) and the status bar (window id
// 59393) with its message pane and the kana, caps, num and scroll lock indicators. Document
// windows (CChildFrame) live in its client area; files dropped on it are opened like File Open.

#include <array>
#include <functional>

#include <wx/docmdi.h>

class CDocManager;

class CMainFrame : public wxDocMDIParentFrame {
 public:
  // Status bar panes after the message pane: kana, caps, num and scroll lock.
  static constexpr std::array<int, 4> kIndicators = {59142, 59137, 59138, 59139};

  // Creates the frame with its caption (string 128), icon, menu, accelerators and both bars. On
  // a failure to make a bar the frame is destroyed and nullptr returned.
  static CMainFrame* Create(CDocManager* manager);

  // Opens each file with the template of its extension, as File Open does.
  void OpenFiles(const wxArrayString& files);

  // Message pane: a command's prompt while its item or button is highlighted, "ﾚﾃﾞｨ" otherwise.
  void DoGiveHelp(const wxString& text, bool show) override;

  // Refreshes the indicator panes from the keyboard's lock states; lock_is_on tells whether the
  // lock of an indicator id is on (the keyboard's state unless a caller supplies another).
  void UpdateIndicators(const std::function<bool(int)>& lock_is_on = KeyboardLockIsOn);
  // The keyboard's lock state behind an indicator; kana lock has no counterpart on GTK: off.
  static bool KeyboardLockIsOn(int indicator);
  // Caption string 128, followed by " - " and the active document's title when there is one,
  // with "*" while the document is modified (as its tab shows it).
  wxString MakeCaption() const;

 private:
  explicit CMainFrame(CDocManager* manager);
  bool CreateBars();

  void OnIdle(wxIdleEvent& event);
  void OnViewToolBar(wxCommandEvent& event);
  void OnViewStatusBar(wxCommandEvent& event);
  void OnUpdateViewToolBar(wxUpdateUIEvent& event);
  void OnUpdateViewStatusBar(wxUpdateUIEvent& event);
  void OnUpdateProgramCommand(wxUpdateUIEvent& event);
  void OnWindowCascade(wxCommandEvent& event);
  void OnWindowTile(wxCommandEvent& event);
  void OnWindowArrange(wxCommandEvent& event);

  CDocManager* manager_;

  wxDECLARE_EVENT_TABLE();
};
