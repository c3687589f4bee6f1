// Screenshot driver: starts the editor's application with its frames, as the editor does, and
// photographs the screen at three moments:
//   1-main-frame.png     the empty main frame after start-up
//   2-second-function.png  a function document with its second function in the form
//   3-html-page.png      an HTML page (the exported sample) in a browser window
//   4-add-function.png   the add-function dialog over the form, with a prototype typed
//   5-argument.png       the argument dialog for the first argument of the function shown
//   6-related.png        the related-functions dialog for the function shown
// Usage: quillmap-screenshots OUT_DIR DOCUMENT.dcm PAGE.htm
// The screen is captured with ImageMagick's import (command in $QUILLMAP_IMPORT, default
// "import"), so run it on a display of its own (scripts/screenshots.sh uses Xvfb).

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/timer.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include "ui/app/doc_manager.h"
#include "ui/app/main_frame.h"
#include "ui/app/spec_app.h"
#include "ui/browse/brows_view.h"
#include "ui/dialogs/add_func_dlg.h"
#include "ui/dialogs/arg_dlg.h"
#include "ui/dialogs/related_func_dlg.h"
#include "ui/res/string_table.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

namespace {

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

    steps_ = {
        [this] { return Activate(); },
        [this] { return Capture(wxS("1-main-frame.png")); },
        [this] { return ShowSecondFunction(); },
        [this] { return Capture(wxS("2-second-function.png")); },
        [this] { return ShowAddFunctionDialog(); },
        [this] { return Capture(wxS("4-add-function.png")); },
        [this] { return ShowArgumentDialog(); },
        [this] { return Capture(wxS("5-argument.png")); },
        [this] { return ShowRelatedDialog(); },
        [this] { return Capture(wxS("6-related.png")); },
        [this] { return CloseDialog(); },
        [this] { return OpenPage(); },
        [this] { return PageLoaded(); },
        [this] { return Capture(wxS("3-html-page.png")); },
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
    view_ = view;
    return view->ShowFunction(1);
  }

  // The dialogs are shown modelessly, so that the timer goes on and the next step can close
  // them; each is set up as opening it would (InitDialog) and filled as its command fills it.
  bool ShowDialog(wxDialog* dialog) {
    CloseDialog();
    dialog_ = dialog;
    dialog_->InitDialog();
    dialog_->Show();
    dialog_->Raise();
    return true;
  }

  bool CloseDialog() {
    if (dialog_ != nullptr) dialog_->Destroy();
    dialog_ = nullptr;
    return true;
  }

  bool ShowAddFunctionDialog() {
    if (view_ == nullptr) return false;
    auto* dialog = new CAddFuncDlg(view_->Form());
    dialog->Entry()->SetValue(wxS("unsigned long Calc(unsigned int n, char *p)"));
    return ShowDialog(dialog);
  }

  bool ShowArgumentDialog() {
    if (view_ == nullptr) return false;
    SjisListCtrl* arguments = view_->ArgumentList();
    auto* dialog = new CArgDlg(view_->Form(), LoadWxString(40007));  // "引数の編集"
    if (arguments->GetItemCount() > 0) {
      dialog->SetTexts({arguments->GetCellBytes(0, 0), arguments->GetCellBytes(0, 1),
                        arguments->GetCellBytes(0, 2)});
    }
    return ShowDialog(dialog);
  }

  bool ShowRelatedDialog() {
    if (view_ == nullptr) return false;
    auto* dialog = new CRelatedFuncDlg(view_->Form());
    dialog->SetCandidateList(view_->FunctionList());
    for (unsigned int i = 0; i < view_->RelatedCombo()->GetCount(); ++i) {
      dialog->AddInitialChoice(view_->RelatedCombo()->EntryBytes(i));
    }
    return ShowDialog(dialog);
  }

  bool OpenPage() {
    browse_ = nullptr;
    wxDocument* doc = GetDocManager()->OpenFile(page_);
    if (doc == nullptr) return false;
    browse_ = wxDynamicCast(doc->GetFirstView(), CBrowsView);
    return browse_ != nullptr;
  }

  bool PageLoaded() const { return browse_ != nullptr && !browse_->GetWebView()->IsBusy(); }

  wxString out_dir_;
  wxString document_;
  wxString page_;
  wxString import_;
  std::vector<std::function<bool()>> steps_;
  size_t next_ = 0;
  int waited_ = 0;
  bool failed_ = false;
  CBrowsView* browse_ = nullptr;
  CFuncView* view_ = nullptr;
  wxDialog* dialog_ = nullptr;
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
