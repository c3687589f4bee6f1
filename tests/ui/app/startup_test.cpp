// Start-up: the command line, the two document templates, refused files and File New.

#include <gtk/gtk.h>

#include <unistd.h>

#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/menu.h>

#include "tests/ui/app/app_fixture.h"
#include "ui/app/child_frame.h"
#include "ui/browse/brows_doc.h"
#include "ui/browse/brows_view.h"
#include "ui/doc/func_doc.h"
#include "ui/view/func_view.h"

namespace {

const char kBadFormat[] = "予期しないﾌｧｲﾙ形式です。";

wxString FirstPopupTitle(wxFrame* frame) {
  return frame->GetMenuBar() != nullptr ? frame->GetMenuBar()->GetMenuLabel(0) : wxString();
}

TEST_F(AppTest, StartWithoutFileShowsEmptyMainFrame) {
  ASSERT_TRUE(Start());
  ASSERT_NE(Frame(), nullptr);
  EXPECT_TRUE(Frame()->IsShown());
  EXPECT_EQ(wxTheApp->GetTopWindow(), Frame());
  EXPECT_TRUE(Documents().empty());
  EXPECT_EQ(Frame()->GetActiveChild(), nullptr);
  EXPECT_EQ(Frame()->GetTitle(), U("Quillmap Ver.0.0.5.0"));
  EXPECT_EQ(FirstPopupTitle(Frame()), U("ﾌｧｲﾙ(&F)"));
  EXPECT_EQ(Frame()->GetMenuBar()->GetMenuCount(), 3u);
}

TEST_F(AppTest, TemplatesAreRegisteredInOrderWithTheirDocumentStrings) {
  ASSERT_TRUE(Start());
  const wxList& templates = Manager()->GetTemplates();
  ASSERT_EQ(templates.GetCount(), 2u);
  auto* first = static_cast<wxDocTemplate*>(templates.GetFirst()->GetData());
  auto* second = static_cast<wxDocTemplate*>(templates.GetLast()->GetData());
  EXPECT_EQ(first->GetDocClassInfo(), wxCLASSINFO(CFuncDoc));
  EXPECT_EQ(first->GetViewClassInfo(), wxCLASSINFO(CFuncView));
  EXPECT_EQ(first->GetDocumentName(), U("Quillmap"));
  EXPECT_EQ(first->GetDescription(), U("dcm ﾌｧｲﾙ (*.dcm)"));
  EXPECT_EQ(first->GetFileFilter(), U("*.dcm"));
  EXPECT_EQ(first->GetDefaultExtension(), U("dcm"));
  EXPECT_EQ(second->GetDocClassInfo(), wxCLASSINFO(CBrowsDoc));
  EXPECT_EQ(second->GetViewClassInfo(), wxCLASSINFO(CBrowsView));
  EXPECT_EQ(second->GetDocumentName(), U("html"));
  EXPECT_EQ(second->GetDescription(), U("html ﾌｧｲﾙ (*.htm)"));
  EXPECT_EQ(second->GetDefaultExtension(), U("htm"));
}

TEST_F(AppTest, StartWithDcmOpensFunctionDocumentWindow) {
  const wxString path = Path(wxS("sample.dcm"));
  WriteSpecDocument(path, {"OpenFile", "CloseFile"});
  ASSERT_TRUE(Start(path));
  ASSERT_EQ(Documents().size(), 1u);
  auto* doc = wxDynamicCast(Documents()[0], CFuncDoc);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetFunctionCount(), 2u);
  wxView* view = doc->GetFirstView();
  ASSERT_NE(wxDynamicCast(view, CFuncView), nullptr);
  auto* frame = wxDynamicCast(view->GetFrame(), CChildFrame);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetMenuBar()->GetMenuCount(), 6u);  // menu 129
  EXPECT_EQ(frame->GetMenuBar()->GetMenuLabel(1), U("編集(&E)"));
  EXPECT_EQ(Frame()->MakeCaption(), U("Quillmap Ver.0.0.5.0 - sample.dcm"));
}

TEST_F(AppTest, CaptionAndTabMarkAModifiedDocumentAlike) {
  const wxString path = Path(wxS("marked.dcm"));
  WriteSpecDocument(path, {"Alpha"});
  ASSERT_TRUE(Start(path));
  wxDocument* doc = Documents()[0];
  wxWindow* child = doc->GetFirstView()->GetFrame();
  auto* notebook = GTK_NOTEBOOK(Frame()->GetClientWindow()->GetHandle());
  auto tab_text = [&] {
    return wxString::FromUTF8(gtk_notebook_get_tab_label_text(notebook, child->GetHandle()));
  };
  EXPECT_EQ(tab_text(), U("marked.dcm"));
  EXPECT_EQ(Frame()->GetTitle(), U("Quillmap Ver.0.0.5.0 - marked.dcm"));

  doc->Modify(true);
  Pump();
  EXPECT_EQ(tab_text(), U("marked.dcm*"));
  EXPECT_EQ(Frame()->GetTitle(), U("Quillmap Ver.0.0.5.0 - marked.dcm*"));

  doc->Modify(false);
  Pump();
  EXPECT_EQ(tab_text(), U("marked.dcm"));
  EXPECT_EQ(Frame()->GetTitle(), U("Quillmap Ver.0.0.5.0 - marked.dcm"));
}

TEST_F(AppTest, StartWithHtmOpensBrowserWindow) {
  const wxString path = Path(wxS("page.htm"));
  WriteBytes(path, "<html><body>page</body></html>");
  ASSERT_TRUE(Start(path));
  ASSERT_EQ(Documents().size(), 1u);
  auto* doc = wxDynamicCast(Documents()[0], CBrowsDoc);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetFilename(), path);
  auto* view = wxDynamicCast(doc->GetFirstView(), CBrowsView);
  ASSERT_NE(view, nullptr);
  auto* frame = wxDynamicCast(view->GetFrame(), CChildFrame);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetMenuBar()->GetMenuCount(), 4u);  // menu 130
  EXPECT_EQ(frame->GetMenuBar()->GetMenuLabel(2), U("ｳｨﾝﾄﾞｳ(&W)"));
}

TEST_F(AppTest, ExtensionIsMatchedWithoutRegardToCase) {
  const wxString path = Path(wxS("PAGE.HTM"));
  WriteBytes(path, "<html><body>page</body></html>");
  ASSERT_TRUE(Start(path));
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_NE(wxDynamicCast(Documents()[0], CBrowsDoc), nullptr);
}

TEST_F(AppTest, RefusedFileShowsMessageAndLeavesNoWindow) {
  const wxString path = Path(wxS("broken.dcm"));
  WriteBytes(path, std::string("this is not a function document"));
  SeenMessage seen;
  bool started = true;
  wxTEST_DIALOG(started = Start(path), ExpectMessage(&seen, wxID_OK));
  EXPECT_FALSE(started);
  EXPECT_EQ(seen.text, U(kBadFormat));
  EXPECT_EQ(Frame(), nullptr);
  EXPECT_EQ(Manager(), nullptr);
  Pump();
  EXPECT_TRUE(wxTopLevelWindows.IsEmpty());
}

TEST_F(AppTest, SeveralFilesOpenInOrderAndOneThatFailsIsSkipped) {
  const wxString first = Path(wxS("first.dcm"));
  WriteSpecDocument(first, {"Alpha"});
  const wxString broken = Path(wxS("broken.dcm"));
  WriteBytes(broken, "not a document");
  const wxString page = Path(wxS("page.htm"));
  WriteBytes(page, "<html><body>page</body></html>");

  SeenMessage seen;
  bool started = false;
  wxTEST_DIALOG(started = wxGetApp().InitInstance(std::vector<wxString>{first, broken, page}),
                ExpectMessage(&seen, wxID_OK));
  Pump();
  ASSERT_TRUE(started);
  EXPECT_EQ(seen.text, U(kBadFormat));
  ASSERT_NE(Frame(), nullptr);
  EXPECT_TRUE(Frame()->IsShown());
  const std::vector<wxDocument*> docs = Documents();
  ASSERT_EQ(docs.size(), 2u);
  EXPECT_EQ(docs[0]->GetFilename(), first);
  EXPECT_NE(wxDynamicCast(docs[0], CFuncDoc), nullptr);
  EXPECT_EQ(docs[1]->GetFilename(), page);
  EXPECT_NE(wxDynamicCast(docs[1], CBrowsDoc), nullptr);
}

TEST_F(AppTest, SeveralFilesOfWhichNoneOpensEndTheProgram) {
  const wxString missing = Path(wxS("missing.dcm"));
  const wxString broken = Path(wxS("broken.dcm"));
  WriteBytes(broken, "not a document");
  SeenMessage about_missing;
  SeenMessage about_broken;
  bool started = true;
  wxTEST_DIALOG(started = wxGetApp().InitInstance(std::vector<wxString>{missing, broken}),
                ExpectMessage(&about_missing, wxID_OK), ExpectMessage(&about_broken, wxID_OK));
  EXPECT_FALSE(started);
  EXPECT_TRUE(about_missing.text.Contains(missing)) << about_missing.text.utf8_string();
  EXPECT_EQ(about_broken.text, U(kBadFormat));
  EXPECT_EQ(Frame(), nullptr);
  EXPECT_EQ(Manager(), nullptr);
}

TEST_F(AppTest, FileOfOtherExtensionGoesToFirstTemplate) {
  // A function document under a name that matches neither extension still opens as one…
  const wxString good = Path(wxS("notes.txt"));
  WriteSpecDocument(good, {"Alpha"});
  ASSERT_TRUE(Start(good));
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_NE(wxDynamicCast(Documents()[0], CFuncDoc), nullptr);

  // …and anything else is refused by the function document.
  const wxString bad = Path(wxS("readme.txt"));
  WriteBytes(bad, "<html>not a document</html>");
  SeenMessage seen;
  wxDocument* opened = nullptr;
  wxTEST_DIALOG(opened = Manager()->OpenFile(bad), ExpectMessage(&seen, wxID_OK));
  EXPECT_EQ(opened, nullptr);
  EXPECT_EQ(seen.text, U(kBadFormat));
  EXPECT_EQ(Documents().size(), 1u);
}

// Document windows (tabs of the main frame) that can be seen.
int VisibleDocumentWindows() {
  auto* notebook = GTK_NOTEBOOK(wxGetApp().GetMainFrame()->GetClientWindow()->GetHandle());
  int visible = 0;
  for (int i = 0; i < gtk_notebook_get_n_pages(notebook); ++i) {
    if (gtk_widget_get_visible(gtk_notebook_get_nth_page(notebook, i))) ++visible;
  }
  return visible;
}

// Answers a message box with OK, noting its text and how many document windows showed with it.
class ExpectMessageOverWindows
    : public wxExpectModalBase<wxMessageDialog, ExpectMessageOverWindows> {
 public:
  ExpectMessageOverWindows(wxString* text, int* windows) : text_(text), windows_(windows) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    *text_ = dialog->GetMessage();
    *windows_ = VisibleDocumentWindows();
    return wxID_OK;
  }

 private:
  wxString* text_;
  int* windows_;
};

TEST_F(AppTest, FileThatFailsToOpenNeverShowsAWindow) {
  const wxString good = Path(wxS("good.dcm"));
  WriteSpecDocument(good, {"Alpha"});
  const wxString bad = Path(wxS("bad.dcm"));
  WriteBytes(bad, "not a document");
  ASSERT_TRUE(Start());

  wxString text;
  int windows = -1;
  wxTEST_DIALOG(Manager()->OpenFile(bad), ExpectMessageOverWindows(&text, &windows));
  EXPECT_EQ(text, U(kBadFormat));
  EXPECT_EQ(windows, 0);
  Pump();
  EXPECT_EQ(VisibleDocumentWindows(), 0);
  EXPECT_TRUE(Documents().empty());

  // A document that opens shows its window as the active one…
  ASSERT_NE(Manager()->OpenFile(good), nullptr);
  Pump();
  EXPECT_EQ(VisibleDocumentWindows(), 1);
  wxWindow* good_frame = Documents()[0]->GetFirstView()->GetFrame();
  EXPECT_EQ(Frame()->GetActiveChild(), good_frame);

  // …and a failing one beside it adds none, not even for the time of the message.
  windows = -1;
  wxTEST_DIALOG(Manager()->OpenFile(Path(wxS("gone.dcm"))),
                ExpectMessageOverWindows(&text, &windows));
  EXPECT_EQ(windows, 1);
  Pump();
  EXPECT_EQ(VisibleDocumentWindows(), 1);
  EXPECT_EQ(Frame()->GetActiveChild(), good_frame);

  // A new document's window is shown and active too.
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  EXPECT_EQ(VisibleDocumentWindows(), 2);
  EXPECT_EQ(Frame()->GetActiveChild(), Documents()[1]->GetFirstView()->GetFrame());
  auto* notebook = GTK_NOTEBOOK(Frame()->GetClientWindow()->GetHandle());
  EXPECT_EQ(gtk_notebook_get_current_page(notebook), 1);
}

TEST_F(AppTest, FileThatCantBeReadIsReportedWithAJapaneseReason) {
  struct Case {
    wxString path;
    const char* reason;
  };
  std::vector<Case> cases = {{Path(wxS("missing.dcm")), "ﾌｧｲﾙが見つかりません。"},
                             {Path(wxS("folder.dcm")), "ﾌｫﾙﾀﾞが指定されました。"}};
  ASSERT_TRUE(wxFileName::Mkdir(cases[1].path, wxS_DIR_DEFAULT));
  if (getuid() != 0) {  // the superuser may read anything
    const wxString locked = Path(wxS("locked.dcm"));
    WriteSpecDocument(locked, {"Alpha"});
    ASSERT_TRUE(wxFileName(locked).SetPermissions(0));
    cases.push_back({locked, "ｱｸｾｽが拒否されました。"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.utf8_string());
    // Named on the command line: the message, then the program ends.
    SeenMessage seen;
    bool started = true;
    wxTEST_DIALOG(started = Start(c.path), ExpectMessage(&seen, wxID_OK));
    EXPECT_FALSE(started);
    EXPECT_EQ(seen.text, c.path + U(" を開くことができません。\n") + U(c.reason));
    EXPECT_EQ(seen.caption, U("Quillmap"));
    EXPECT_EQ(Frame(), nullptr);
  }
}

TEST_F(AppTest, MissingHtmFileIsReported) {
  ASSERT_TRUE(Start());
  SeenMessage seen;
  wxDocument* opened = nullptr;
  const wxString path = Path(wxS("gone.htm"));
  wxTEST_DIALOG(opened = Manager()->OpenFile(path), ExpectMessage(&seen, wxID_OK));
  EXPECT_EQ(opened, nullptr);
  EXPECT_EQ(seen.text, path + U(" を開くことができません。"));
  EXPECT_EQ(seen.caption, U("Quillmap"));
  EXPECT_TRUE(Documents().empty());
}

TEST_F(AppTest, FileNewAlwaysMakesNumberedFunctionDocuments) {
  ASSERT_TRUE(Start());
  // From the main frame's menu, then from a function-document window's menu, then from the app.
  EXPECT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  ASSERT_EQ(Documents().size(), 1u);
  wxFrame* child = static_cast<wxFrame*>(Documents()[0]->GetFirstView()->GetFrame());
  EXPECT_TRUE(SendCommand(child, wxID_NEW));
  Pump();
  wxCommandEvent event(wxEVT_MENU, wxID_NEW);
  wxGetApp().OnFileNew(event);
  Pump();
  const std::vector<wxDocument*> docs = Documents();
  ASSERT_EQ(docs.size(), 3u);
  for (size_t i = 0; i < docs.size(); ++i) {
    EXPECT_NE(wxDynamicCast(docs[i], CFuncDoc), nullptr);
    EXPECT_EQ(docs[i]->GetUserReadableName(), wxString::Format(wxS("Quillmap%zu"), i + 1));
    EXPECT_FALSE(docs[i]->IsModified());
  }
  EXPECT_EQ(Frame()->MakeCaption(), U("Quillmap Ver.0.0.5.0 - Quillmap3"));
}

TEST_F(AppTest, FileNewFromBrowserWindowMakesFunctionDocument) {
  const wxString path = Path(wxS("page.htm"));
  WriteBytes(path, "<html><body>page</body></html>");
  ASSERT_TRUE(Start(path));
  // Menu 130 has no File New, but Ctrl+N (accelerator table 128) still reaches it.
  EXPECT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  ASSERT_EQ(Documents().size(), 2u);
  EXPECT_NE(wxDynamicCast(Documents()[1], CFuncDoc), nullptr);
  EXPECT_EQ(Documents()[1]->GetUserReadableName(), U("Quillmap1"));
}

TEST_F(AppTest, DroppedFilesOpenEachWithItsTemplate) {
  const wxString dcm = Path(wxS("dropped.dcm"));
  const wxString htm = Path(wxS("dropped.htm"));
  WriteSpecDocument(dcm, {"Alpha"});
  WriteBytes(htm, "<html><body>dropped</body></html>");
  ASSERT_TRUE(Start());
  wxDropTarget* target = Frame()->GetDropTarget();
  ASSERT_NE(target, nullptr);
  wxArrayString files;
  files.Add(htm);
  files.Add(dcm);
  EXPECT_TRUE(static_cast<wxFileDropTarget*>(target)->OnDropFiles(0, 0, files));
  Pump();
  ASSERT_EQ(Documents().size(), 2u);
  EXPECT_NE(wxDynamicCast(Documents()[0], CBrowsDoc), nullptr);
  EXPECT_NE(wxDynamicCast(Documents()[1], CFuncDoc), nullptr);
}

TEST_F(AppTest, OpeningAnOpenFileAgainActivatesItsWindow) {
  const wxString path = Path(wxS("once.dcm"));
  WriteSpecDocument(path, {"Alpha"});
  ASSERT_TRUE(Start(path));
  EXPECT_EQ(Manager()->OpenFile(path), Documents()[0]);
  EXPECT_EQ(Documents().size(), 1u);
}

}  // namespace

namespace {

TEST_F(AppTest, FileOpenOffersBothFiltersAndOpensByExtension) {
  const wxString path = Path(wxS("chosen.htm"));
  WriteBytes(path, "<html><body>chosen</body></html>");
  ASSERT_TRUE(Start());
  SeenFileDialog seen;
  wxTEST_DIALOG(SendCommand(Frame(), wxID_OPEN), FileDialogAnswer(path, wxID_OK, &seen));
  Pump();
  EXPECT_EQ(seen.title, U("開く"));
  EXPECT_EQ(seen.wildcard,
            U("dcm ﾌｧｲﾙ (*.dcm)|*.dcm|html ﾌｧｲﾙ (*.htm)|*.htm|すべてのﾌｧｲﾙ (*.*)|*"));
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_NE(wxDynamicCast(Documents()[0], CBrowsDoc), nullptr);
  EXPECT_EQ(Manager()->GetFileHistory()->GetHistoryFile(0), path);
}

TEST_F(AppTest, CancelledFileOpenOpensNothing) {
  ASSERT_TRUE(Start());
  wxTEST_DIALOG(SendCommand(Frame(), wxID_OPEN),
                wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
  Pump();
  EXPECT_TRUE(Documents().empty());
}

}  // namespace
