// Screenshot driver: starts the editor's application with its frames, as the editor does, and
// photographs the screen at these moments:
//   1-main-frame.png     the empty main frame after start-up
//   2-second-function.png  a function document with its second function in the form
//   3-html-page.png      the page that export wrote, in a browser window
//   4-html-format-dialog.png  the export's options dialog, during the document's HTML export
//   5-func-spec-settings.png  the clipboard settings dialog
//   6-history-list.png   the second function's update history with a few more entries
//   7-history-entry.png  one history entry being edited
//   8-about-box.png      the About box, with the application icon (without a window manager
//                        no title bar shows the main window's icon)
//   9-add-function.png   the add-function dialog of the Edit menu, with a prototype typed
//   10-argument.png       the argument dialog of a double click on the first argument row
//   11-related.png       the related-functions dialog of the second function
//   12-struct-def.png    the structure definition dialog of the document's first structure
//   13-tab-order.png     the form after three real presses of Tab from the function list: the
//                        focus on the heading field
//   14-save-as.png       the Save As dialog of the function document
//   15-find.png          the find window over the document: the half-width "ﾊﾞｯﾌｧ" found in all
//                        texts, selected in the explanation where it is written "バッファ"
//   16-edit-menu.png     the Edit menu opened with Alt+E after a function was copied: undo
//                        enabled for that step, redo disabled
//   17-return-type-list.png  the return-type list opened with a real click on its button
// Usage: quillmap-screenshots OUT_DIR DOCUMENT.dcm PAGE.htm (the page the export writes)
// The screen is captured with ImageMagick's import (command in $QUILLMAP_IMPORT, default
// "import"), so run it on a display of its own (scripts/screenshots.sh uses Xvfb).

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/mdi.h>
#include <wx/modalhook.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include "core/model/history.h"
#include "core/text/sjis.h"
#include "ui/app/about_dlg.h"
#include "ui/app/doc_manager.h"
#include "ui/app/main_frame.h"
#include "ui/app/spec_app.h"
#include "ui/browse/brows_view.h"
#include "ui/dialogs/add_func_dlg.h"
#include "ui/dialogs/arg_dlg.h"
#include "ui/dialogs/find_dlg.h"
#include "ui/dialogs/func_spec_settings_dlg.h"
#include "ui/dialogs/history_edit_dlg.h"
#include "ui/dialogs/history_list_dlg.h"
#include "ui/dialogs/html_format_dlg.h"
#include "ui/dialogs/related_func_dlg.h"
#include "ui/dialogs/struct_def_dlg.h"
#include "ui/doc/save_as.h"
#include "ui/res/ids.h"
#include "ui/view/func_view.h"
#include "ui/view/view_find.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

// Answers the export's file dialog with the page's path, as a user who typed it, and lets every
// other dialog show itself, remembering it so that it can be photographed and closed.
class DialogHook : public wxModalDialogHook {
 public:
  explicit DialogHook(const wxString& page) : page_(page) {}
  wxDialog* shown() const { return shown_; }

 protected:
  int Enter(wxDialog* dialog) override {
    if (auto* files = dynamic_cast<wxFileDialog*>(dialog)) {
      files->SetPath(page_);
      return wxID_OK;
    }
    shown_ = dialog;
    return wxID_NONE;
  }
  void Exit(wxDialog* dialog) override {
    if (dialog == shown_) shown_ = nullptr;
  }

 private:
  wxString page_;
  wxDialog* shown_ = nullptr;
};

class ScreenshotApp : public CSpecApp {
 public:
  bool OnInit() override {
    if (argc != 4) {
      std::fprintf(stderr, "usage: quillmap-screenshots OUT_DIR DOCUMENT.dcm PAGE.htm\n");
      return false;
    }
    out_dir_ = argv[1];
    document_ = argv[2];
    page_ = argv[3];
    const char* import = std::getenv("QUILLMAP_IMPORT");
    import_ = import != nullptr ? wxString::FromUTF8(import) : wxString(wxS("import"));
    if (!InitInstance(wxString())) return false;
    hook_ = std::make_unique<DialogHook>(page_);
    hook_->Register();

    steps_ = {
        [this] { return Activate(); },
        [this] { return Capture(wxS("1-main-frame.png")); },
        [this] { return ShowSecondFunction(); },
        [this] { return Capture(wxS("2-second-function.png")); },
        [this] { return WalkThreeTabs(); },
        [this] { return FocusIsOnHeading(); },
        [this] { return Capture(wxS("13-tab-order.png")); },
        [this] { return RunCommand(ids::kHtmlExport); },
        [this] { return DialogShown<CHtmlFormatDlg>(); },
        [this] { return Capture(wxS("4-html-format-dialog.png")); },
        [this] { return CloseDialog(wxID_OK); },
        [this] { return wxFileName::FileExists(page_); },
        [this] { return OpenPage(); },
        [this] { return PageLoaded(); },
        [this] { return Capture(wxS("3-html-page.png")); },
        [this] { return ActivateDocumentWindow(); },
        [this] { return RunCommand(ids::kFuncSpecSettings); },
        [this] { return DialogShown<CFuncSpecSettingsDlg>(); },
        [this] { return Capture(wxS("5-func-spec-settings.png")); },
        [this] { return CloseDialog(wxID_CANCEL); },
        [this] { return RunCommand(ids::kAddFunction); },
        [this] { return DialogShown<CAddFuncDlg>() && TypePrototype(); },
        [this] { return Capture(wxS("9-add-function.png")); },
        [this] { return CloseDialog(wxID_CANCEL); },
        [this] { return EditFirstArgument(); },
        [this] { return DialogShown<CArgDlg>(); },
        [this] { return Capture(wxS("10-argument.png")); },
        [this] { return CloseDialog(wxID_CANCEL); },
        [this] { return ChooseRelated(); },
        [this] { return DialogShown<CRelatedFuncDlg>(); },
        [this] { return Capture(wxS("11-related.png")); },
        [this] { return CloseDialog(wxID_CANCEL); },
        [this] { return EditFirstStructure(); },
        [this] { return DialogShown<CStructDefDlg>(); },
        [this] { return Capture(wxS("12-struct-def.png")); },
        [this] { return CloseDialog(wxID_CANCEL); },
        [this] { return ShowHistoryList(); },
        [this] { return Capture(wxS("6-history-list.png")); },
        [this] { return ShowHistoryEntry(); },
        [this] { return Capture(wxS("7-history-entry.png")); },
        [this] { return ShowAbout(); },
        [this] { return Capture(wxS("8-about-box.png")); },
        [this] { return CloseAbout(); },
        [this] { return ActivateDocumentWindow(); },
        [this] { return ShowSaveAs(); },
        [this] { return Capture(wxS("14-save-as.png")); },
        [this] { return CloseSaveAs(); },
        [this] { return ActivateDocumentWindow(); },
        [this] { return FindHalfWidthWord(); },
        [this] { return Capture(wxS("15-find.png")); },
        [this] { return CloseFind(); },
        [this] { return RunCommand(ids::kCopyFunction); },
        [this] { return OpenEditMenu(); },
        [this] { return Capture(wxS("16-edit-menu.png")); },
        [this] { return CloseMenu(); },
        [this] { return OpenReturnTypeList(); },
        [this] { return Capture(wxS("17-return-type-list.png")); },
        [this] { return CloseMenu(); },
    };
    timer_.Bind(wxEVT_TIMER, &ScreenshotApp::OnTick, this);
    timer_.Start(1500);  // lets every window paint before the next step
    return true;
  }

  int OnExit() override {
    // Nothing of the run belongs in the profile.
    if (GetDocManager() != nullptr) {
      for (wxObject* doc : GetDocManager()->GetDocuments())
        static_cast<wxDocument*>(doc)->Modify(false);
    }
    if (hook_ != nullptr) hook_->Unregister();
    const int base = CSpecApp::OnExit();
    return failed_ ? EXIT_FAILURE : base;
  }

 private:
  void OnTick(wxTimerEvent&) {
    if (next_ >= steps_.size()) {
      timer_.Stop();
      Finish(true);
      return;
    }
    // A step that is not ready yet (a page still loading) is tried again on the next tick.
    if (steps_[next_]()) {
      ++next_;
      waited_ = 0;
    } else if (++waited_ > 20) {
      std::fprintf(stderr, "quillmap-screenshots: step %zu did not finish\n", next_ + 1);
      timer_.Stop();
      Finish(false);
    }
  }

  void Finish(bool ok) {
    failed_ = !ok;
    // The run changes nothing that should be saved, and nobody is there to answer a question.
    for (wxObject* doc : GetDocManager()->GetDocuments())
      static_cast<wxDocument*>(doc)->Modify(false);
    if (GetMainFrame() != nullptr) GetMainFrame()->Close(true);
    ExitMainLoop();
  }

  bool Capture(const wxString& name) {
    const wxString path = out_dir_ + wxS("/") + name;
    const wxString command = import_ + wxS(" -window root ") + path;
    if (wxExecute(command, wxEXEC_SYNC) != 0) {
      std::fprintf(stderr, "quillmap-screenshots: %s failed\n",
                   static_cast<const char*>(command.utf8_str()));
      Finish(false);
      return false;
    }
    std::printf("%s\n", static_cast<const char*>(path.utf8_str()));
    return true;
  }

  // Without a window manager nothing gives the frame the focus; an inactive GTK window draws its
  // menu bar greyed out.
  bool Activate() {
    GetMainFrame()->Raise();
    GetMainFrame()->SetFocus();
    return true;
  }

  bool ShowSecondFunction() {
    wxDocument* doc = GetDocManager()->OpenFile(document_);
    if (doc == nullptr) return false;
    auto* view = wxDynamicCast(doc->GetFirstView(), CFuncView);
    if (view == nullptr) return false;
    view->Form()->Update();
    wxYield();
    // What a click on the second row of the function list does.
    SjisListCtrl* list = view->FunctionList();
    if (list->GetItemCount() < 2) {
      std::fprintf(stderr, "quillmap-screenshots: the document has fewer than two functions\n");
      return false;
    }
    list->SetItemState(1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    list->SetSelectionMark(1);
    form_view_ = view;
    document_window_ = view->GetFrame();
    return view->ShowFunction(1);
  }

  // Sends a command to the function document's window as its menu item does (the document must
  // be the active one). The command runs
  // after this step returns, so that the steps go on while its dialog is open.
  bool RunCommand(int command) {
    if (document_window_ == nullptr) return false;
    wxWindow* window = document_window_;
    CallAfter([window, command] {
      wxCommandEvent event(wxEVT_MENU, command);
      event.SetEventObject(window);
      window->GetEventHandler()->ProcessEvent(event);
    });
    return true;
  }

  // Brings the function document's tab to the front: commands go to the active document.
  bool ActivateDocumentWindow() {
    auto* frame = wxDynamicCast(document_window_, wxMDIChildFrame);
    if (frame == nullptr) return false;
    frame->Activate();
    return true;
  }

  template <typename Dialog>
  bool DialogShown() const {
    return dynamic_cast<Dialog*>(hook_->shown()) != nullptr && hook_->shown()->IsShownOnScreen();
  }

  bool CloseDialog(int answer) {
    wxDialog* dialog = hook_->shown();
    if (dialog == nullptr) return false;
    if (answer == wxID_OK) dialog->TransferDataFromWindow();
    dialog->EndModal(answer);
    return true;
  }

  bool TypePrototype() {
    auto* dialog = dynamic_cast<CAddFuncDlg*>(hook_->shown());
    if (dialog == nullptr) return false;
    dialog->Entry()->SetValue(wxS("unsigned long Calc(unsigned int n, char *p)"));
    return true;
  }

  // Ctrl+F, typing a half-width word and Return: the find window stays open over the form.
  bool FindHalfWidthWord() {
    if (form_view_ == nullptr) return false;
    // The history dialogs of the earlier steps go, and the rows those steps highlighted are
    // highlighted no longer: what shows selected is the match.
    if (history_list_ != nullptr) {
      history_list_->Destroy();
      history_list_ = nullptr;
    }
    form_view_->StructureList()->SetItemState(0, 0, wxLIST_STATE_SELECTED);
    form_view_->ArgumentList()->SetItemState(0, 0, wxLIST_STATE_SELECTED);
    ViewFind* find = form_view_->Find();
    find->OpenWindow();
    CFindDlg* window = find->Window();
    window->Entry()->SetValue(wxString::FromUTF8("ﾊﾞｯﾌｧ"));
    // Below the form's fields, clear of the explanation that the match is selected in.
    const wxRect form = form_view_->Form()->GetScreenRect();
    window->Move(form.GetLeft() + form.GetWidth() / 3, form.GetBottom() - window->GetSize().y / 2);
    find->Step(true);
    return true;
  }

  bool CloseFind() {
    if (form_view_ == nullptr || form_view_->Find()->Window() == nullptr) return false;
    form_view_->Find()->Window()->Hide();
    return true;
  }

  // Alt+E, as a user opens the Edit menu from the keyboard.
  bool OpenEditMenu() {
    wxUIActionSimulator keyboard;
    FocusFunctionList(keyboard);
    keyboard.Char('E', wxMOD_ALT);
    wxYield();
    return true;
  }

  // A click on the drop-down button at the return-type list's right end.
  bool OpenReturnTypeList() {
    if (form_view_ == nullptr) return false;
    SjisComboBox* combo = form_view_->ReturnTypeCombo();
    const wxSize size = combo->GetSize();
    wxUIActionSimulator mouse;
    mouse.MouseMove(combo->ClientToScreen(wxPoint(size.x - 6, size.y / 2)));
    mouse.MouseClick();
    wxYield();
    return true;
  }

  bool CloseMenu() {
    wxUIActionSimulator keyboard;
    keyboard.Char(WXK_ESCAPE);
    wxYield();
    return true;
  }

  // What a double click on the first argument row does; the dialog opens after this step.
  bool EditFirstArgument() {
    if (form_view_ == nullptr || form_view_->ArgumentList()->GetItemCount() == 0) return false;
    SjisListCtrl* arguments = form_view_->ArgumentList();
    arguments->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                            wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    arguments->SetSelectionMark(0);
    CFuncView* view = form_view_;
    CallAfter([view] { view->OnEditArgument(); });
    return true;
  }

  // What a click on the related functions' "追加" button does.
  bool ChooseRelated() {
    if (form_view_ == nullptr) return false;
    CFuncView* view = form_view_;
    CallAfter([view] {
      wxCommandEvent click(wxEVT_BUTTON, ids::kAddRelated);
      view->OnAddRelatedFunction(click);
    });
    return true;
  }

  // What the structure list's "編集" button does with the first structure marked.
  bool EditFirstStructure() {
    if (form_view_ == nullptr || form_view_->StructureList()->GetItemCount() == 0) return false;
    SjisListCtrl* structures = form_view_->StructureList();
    structures->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    structures->SetSelectionMark(0);
    CFuncView* view = form_view_;
    CallAfter([view] {
      wxCommandEvent click(wxEVT_BUTTON, ids::kEditStructure);
      view->OnEditStructure(click);
    });
    return true;
  }

  bool OpenPage() {
    browse_ = nullptr;
    wxDocument* doc = GetDocManager()->OpenFile(page_);
    if (doc == nullptr) return false;
    browse_ = wxDynamicCast(doc->GetFirstView(), CBrowsView);
    return browse_ != nullptr;
  }

  bool PageLoaded() const { return browse_ != nullptr && !browse_->GetWebView()->IsBusy(); }

  // The history dialogs are shown modeless, so that the timer keeps running; the steps after
  // them close them.
  bool ShowHistoryList() {
    if (form_view_ == nullptr) return false;
    history_list_ = new CHistoryListDlg(form_view_->Form());
    std::time_t date = 0;
    std::string comment;
    for (int i = 0; form_view_->GetHistoryItem(i, date, comment); ++i) {
      history_list_->AddEntry(date, comment);
    }
    history_list_->AddEntry(quillmap::LocalMidnight(2000, 3, 31), Sjis("引数の説明を追加"));
    history_list_->AddEntry(quillmap::LocalMidnight(2001, 1, 5),
                            Sjis("戻り値の型を変更\n(int から long へ)"));
    history_list_->AddEntry(quillmap::LocalMidnight(1999, 12, 1), Sjis("新規作成"));
    history_list_->TransferDataToWindow();
    history_list_->Show();
    history_list_->Raise();
    return true;
  }

  bool ShowHistoryEntry() {
    if (history_list_ == nullptr) return false;
    SjisListCtrl* list = history_list_->HistoryList();
    auto* entry = new CHistoryEditDlg(history_list_);
    entry->SetValues(quillmap::ParseHistoryDate(list->GetCellBytes(1, 0)),
                     list->GetCellBytes(1, 1));
    entry->TransferDataToWindow();
    entry->Show();
    entry->Raise();
    return true;
  }

  static std::string Sjis(const char* utf8) { return quillmap::text::Sjis(utf8); }

  // The About box as the Help menu shows it, but modeless, so that the timer goes on.
  bool ShowAbout() {
    about_ = new CAboutDlg(GetMainFrame());
    about_->Show();
    about_->Raise();
    return true;
  }

  bool CloseAbout() {
    about_->Destroy();
    about_ = nullptr;
    return true;
  }

  // Gives the keyboard to the function list, as a click would.
  void FocusFunctionList(wxUIActionSimulator& keyboard) {
    GetMainFrame()->Raise();
    // Without a window manager the keyboard goes to the window under the pointer.
    keyboard.MouseMove(GetMainFrame()->GetScreenPosition() + wxPoint(500, 300));
    wxYield();
    form_view_->FunctionList()->SetFocus();
    wxYield();
  }

  // Real Tab presses from the function list: the name, the attribute, then the heading.
  bool WalkThreeTabs() {
    wxUIActionSimulator keyboard;
    FocusFunctionList(keyboard);
    for (int i = 0; i < 3; ++i) {
      keyboard.Char(WXK_TAB);
      wxYield();
    }
    return true;
  }

  bool FocusIsOnHeading() const {
    return wxWindow::FindFocus() == static_cast<wxWindow*>(form_view_->HeadingEdit());
  }

  // The Save As dialog of the function document, shown without waiting for an answer.
  bool ShowSaveAs() {
    save_as_ = MakeSaveAsDialog(GetMainFrame(), *form_view_->GetDocument());
    save_as_->Show();
    return true;
  }

  bool CloseSaveAs() {
    save_as_->Hide();
    save_as_.reset();
    return true;
  }

  wxString out_dir_;
  wxString document_;
  wxString page_;
  wxString import_;
  std::vector<std::function<bool()>> steps_;
  size_t next_ = 0;
  int waited_ = 0;
  bool failed_ = false;
  CBrowsView* browse_ = nullptr;
  CFuncView* form_view_ = nullptr;
  CHistoryListDlg* history_list_ = nullptr;
  wxWindow* document_window_ = nullptr;
  std::unique_ptr<DialogHook> hook_;
  CAboutDlg* about_ = nullptr;
  std::unique_ptr<wxFileDialog> save_as_;
  wxTimer timer_;
};

}  // namespace

// The application object is a CSpecApp (wxGetApp() keeps its type) made as a ScreenshotApp.
CSpecApp& wxGetApp() {
  return *static_cast<CSpecApp*>(wxApp::GetInstance());
}
static wxAppConsole* CreateScreenshotApp() {
  return new ScreenshotApp;
}
static wxAppInitializer screenshot_app_initializer(CreateScreenshotApp);
wxIMPLEMENT_WXWIN_MAIN
