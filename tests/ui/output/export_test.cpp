// The HTML export command: its two dialogs, the page it writes for each choice of attributes,
// what Cancel and failures leave behind, and the page shown in a browser window afterwards.
#include <gtk/gtk.h>
#include <unistd.h>

#include <functional>

#include <wx/filename.h>
#include <wx/mdi.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include "tests/file_size_limit.h"
#include "tests/ui/output/output_fixture.h"
#include "ui/browse/brows_view.h"
#include "ui/doc/func_doc.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

namespace {

using ExportTest = OutputTest;

bool Contains(const std::string& page, const std::string& part) {
  return page.find(part) != std::string::npos;
}

TEST_F(ExportTest, AllBoxesWriteTheWholePageAfterTheTwoDialogs) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString page = Path(wxS("all.htm"));
  SeenFileDialog file;
  SeenFormatDialog format;
  wxTEST_DIALOG(EXPECT_TRUE(Export()), FileDialogAnswer(page, wxID_OK, &file),
                FormatAnswer(kAllAttributes, wxID_OK, &format));

  EXPECT_EQ(file.title, U("htmlﾄﾞｷｭﾒﾝﾄを出力する"));
  EXPECT_EQ(file.wildcard, U("htmﾌｧｲﾙ(*.htm)|*.htm|htmlﾌｧｲﾙ(*.html)|*.html|すべてのﾌｧｲﾙ(*.*)|*.*"));
  EXPECT_EQ(file.style & (wxFD_SAVE | wxFD_OVERWRITE_PROMPT), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  EXPECT_EQ(file.filename, wxS("*.htm"));
  // It starts beside the document.
  EXPECT_EQ(file.directory, wxFileName(wxString::FromUTF8(DocumentPath())).GetPath());

  for (bool checked : format.attributes) EXPECT_TRUE(checked);
  EXPECT_FALSE(format.frames_enabled);
  EXPECT_TRUE(format.sorting_enabled);

  EXPECT_EQ(ReadBytes(page), ExpectedPage(kAllAttributes));
  EXPECT_FALSE(doc_->IsModified());
}

TEST_F(ExportTest, NoBoxesLeaveOutEveryFunctionButNoStructure) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString page = Path(wxS("none.htm"));
  wxTEST_DIALOG(Export(), FileDialogAnswer(page), FormatAnswer({0, 0, 0, 0, 0}));

  const std::string bytes = ReadBytes(page);
  EXPECT_EQ(bytes, ExpectedPage({0, 0, 0, 0, 0}));
  EXPECT_TRUE(Contains(bytes, "<TABLE CELLPADDING=0 WIDHT=80%>\n</TABLE></blockquote><BR>\n\n"))
      << "the function list has rows";
  for (const char* name : {"add", "helper", "guard", "secret", "fast"}) {
    EXPECT_FALSE(Contains(bytes, std::string("<H1>") + name + "</H1>")) << name;
  }
  for (const char* name : {"POINT", "RECT"}) {
    EXPECT_TRUE(Contains(bytes, std::string("<A NAME = ") + name + ">\n")) << name;
  }
}

TEST_F(ExportTest, OnlyStaticOffLeavesOutTheStaticFunctionAndSortingChangesNothing) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString page = Path(wxS("nostatic.htm"));
  // The sort boxes are checked too: the page stays in document order all the same.
  wxTEST_DIALOG(Export(), FileDialogAnswer(page),
                FormatAnswer({1, 0, 1, 1, 1}, wxID_OK, nullptr, true));

  const std::string bytes = ReadBytes(page);
  EXPECT_EQ(bytes, ExpectedPage({1, 0, 1, 1, 1}));
  EXPECT_FALSE(Contains(bytes, "helper"));
  std::size_t last = 0;
  for (const char* name : {"add", "guard", "secret", "fast"}) {
    const std::size_t at = bytes.find(std::string("<H1>") + name + "</H1>");
    ASSERT_NE(at, std::string::npos) << name;
    EXPECT_GT(at, last) << name;
    last = at;
  }
}

TEST_F(ExportTest, CancelInEitherDialogLeavesAnExistingPageUntouched) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString page = Path(wxS("existing.htm"));
  const std::string before = "<HTML>an earlier page</HTML>\n";
  WriteBytes(page, before);
  const int entries = EntriesIn(Path(wxString()));

  wxTEST_DIALOG(Export(), FileDialogAnswer(page, wxID_CANCEL));
  EXPECT_EQ(ReadBytes(page), before);

  SeenFormatDialog format;
  wxTEST_DIALOG(Export(), FileDialogAnswer(page),
                FormatAnswer(kAllAttributes, wxID_CANCEL, &format));
  EXPECT_TRUE(format.shown);
  EXPECT_EQ(ReadBytes(page), before);
  EXPECT_EQ(EntriesIn(Path(wxString())), entries);
}

TEST_F(ExportTest, ABareNameGetsTheExtensionOfTheChosenFilter) {
  ASSERT_NE(OpenExample(), nullptr);
  wxTEST_DIALOG(Export(), FileDialogAnswer(Path(wxS("bare"))), FormatAnswer(kAllAttributes));
  EXPECT_EQ(ReadBytes(Path(wxS("bare.htm"))), ExpectedPage(kAllAttributes));
  EXPECT_FALSE(wxFileName::Exists(Path(wxS("bare"))));

  wxTEST_DIALOG(Export(), FileDialogAnswer(Path(wxS("other")), wxID_OK, nullptr, 1),
                FormatAnswer(kAllAttributes));
  EXPECT_TRUE(wxFileName::FileExists(Path(wxS("other.html"))));
}

TEST_F(ExportTest, ABareNameOfAnExistingPageAsksBeforeReplacingIt) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString page = Path(wxS("page.htm"));
  const std::string before = "<HTML>keep me</HTML>\n";
  WriteBytes(page, before);

  // No: the file dialog comes back, and Cancel there ends the command.
  SeenMessage question;
  SeenFileDialog again;
  wxTEST_DIALOG(Export(), FileDialogAnswer(Path(wxS("page"))), ExpectMessage(&question, wxID_NO),
                FileDialogAnswer(wxString(), wxID_CANCEL, &again));
  EXPECT_EQ(question.text, U("page.htm は既に存在します。\n上書きしますか?"));
  EXPECT_EQ(question.caption, U("htmlﾄﾞｷｭﾒﾝﾄを出力する"));
  EXPECT_EQ(question.style & (wxYES_NO | wxNO_DEFAULT), wxYES_NO | wxNO_DEFAULT);
  EXPECT_EQ(again.filename, wxS("page.htm"));
  EXPECT_EQ(ReadBytes(page), before);

  wxTEST_DIALOG(Export(), FileDialogAnswer(Path(wxS("page"))), ExpectMessage(&question, wxID_YES),
                FormatAnswer(kAllAttributes));
  EXPECT_EQ(ReadBytes(page), ExpectedPage(kAllAttributes));
}

TEST_F(ExportTest, AFailedWriteIsReportedAndKeepsTheOldPage) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString page = Path(wxS("kept.htm"));
  const std::string before = "<HTML>the page of yesterday</HTML>\n";
  WriteBytes(page, before);
  const int entries = EntriesIn(Path(wxString()));

  SeenMessage failure;
  {
    const FileSizeLimit limit(256);
    ASSERT_TRUE(limit.ok());
    wxTEST_DIALOG(EXPECT_TRUE(Export()), FileDialogAnswer(page), FormatAnswer(kAllAttributes),
                  ExpectMessage(&failure, wxID_OK));
  }

  // The reason is given in Japanese, never as the system's English text.
  EXPECT_EQ(failure.text,
            page + U(" にhtmlﾄﾞｷｭﾒﾝﾄを出力できませんでした。出力先のﾌｧｲﾙは変更されていません。\n"
                     "ﾌｧｲﾙが大きすぎます。"));
  EXPECT_EQ(failure.caption, wxS("Quillmap"));
  EXPECT_TRUE(failure.style & wxICON_EXCLAMATION);
  EXPECT_EQ(ReadBytes(page), before);
  EXPECT_EQ(EntriesIn(Path(wxString())), entries);  // nothing left of the attempt
}

TEST_F(ExportTest, AnExportOntoTheDocumentItselfIsRefused) {
  ASSERT_NE(OpenExample(), nullptr);
  const std::string before = ReadBytes(wxString::FromUTF8(DocumentPath()));
  // Another name of the same file: the document is recognised by what it is, not its name.
  const wxString alias = Path(wxS("alias.dcm"));
  ASSERT_EQ(symlink(DocumentPath().c_str(), alias.utf8_string().c_str()), 0);

  SeenMessage refusal;
  wxTEST_DIALOG(Export(), FileDialogAnswer(alias), ExpectMessage(&refusal, wxID_OK));
  EXPECT_EQ(refusal.text,
            alias + U(" は編集中のﾄﾞｷｭﾒﾝﾄのﾌｧｲﾙです。\nhtmlﾄﾞｷｭﾒﾝﾄは別のﾌｧｲﾙに出力してください。"));
  EXPECT_EQ(refusal.caption, wxS("Quillmap"));
  EXPECT_TRUE(refusal.style & wxICON_STOP);
  EXPECT_EQ(ReadBytes(wxString::FromUTF8(DocumentPath())), before);
}

// Brings the example's window to the front again, as a click on its tab would.
void ActivateExample(wxFrame* child) {
  auto* frame = wxDynamicCast(child, wxMDIChildFrame);
  ASSERT_NE(frame, nullptr);
  frame->Activate();
  PumpUntil(
      [frame] {
        return wxDocManager::GetDocumentManager()->GetCurrentView() != nullptr &&
               wxDocManager::GetDocumentManager()->GetCurrentView()->GetFrame() == frame;
      },
      3000);
}

TEST_F(ExportTest, AnExportOntoAnotherOpenDocumentIsRefused) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString other = Path(wxS("other.dcm"));
  WriteSpecDocument(other, {"kept"});
  ASSERT_NE(Manager()->OpenFile(other), nullptr);
  const std::string before = ReadBytes(other);
  ActivateExample(Child());
  ASSERT_EQ(Manager()->GetCurrentDocument(), doc_);

  const std::string own_before = ReadBytes(wxString::FromUTF8(DocumentPath()));

  // The other document, and the exporting one's own file while the other is open too.
  for (const wxString& target : {other, wxString::FromUTF8(DocumentPath())}) {
    SeenMessage refusal;
    wxTEST_DIALOG(Export(), FileDialogAnswer(target), ExpectMessage(&refusal, wxID_OK));
    EXPECT_EQ(refusal.text, target + U(" は編集中のﾄﾞｷｭﾒﾝﾄのﾌｧｲﾙです。\nhtmlﾄﾞｷｭﾒﾝﾄは別のﾌｧｲﾙ"
                                       "に出力してください。"));
  }
  EXPECT_EQ(ReadBytes(other), before);
  EXPECT_EQ(ReadBytes(wxString::FromUTF8(DocumentPath())), own_before);
}

// The text of the page a browser window shows, once it holds `wanted` (or after ten seconds).
wxString ShownText(wxDocument* doc, const std::function<bool(const wxString&)>& wanted) {
  auto* view = wxDynamicCast(doc->GetFirstView(), CBrowsView);
  wxString text;
  PumpUntil([&] {
    return view != nullptr && !view->GetWebView()->IsBusy() &&
           view->GetWebView()->RunScript(wxS("document.body ? document.body.textContent : ''"),
                                         &text) &&
           wanted(text);
  });
  return text;
}

TEST_F(ExportTest, ABrowserWindowShowingThePageShowsTheNewOneAfterAnotherExport) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString page = Path(wxS("again.htm"));
  wxTEST_DIALOG(Export(), FileDialogAnswer(page), FormatAnswer(kAllAttributes));
  wxDocument* shown = Manager()->OpenFile(page);
  ASSERT_NE(shown, nullptr);
  const auto has_helper = [](const wxString& text) { return text.Contains(U("見出し helper")); };
  ASSERT_TRUE(has_helper(ShownText(shown, has_helper)));

  // Back to the document, an edit, and an export onto the same page without any function: the
  // window follows without being asked.
  ActivateExample(Child());
  ASSERT_EQ(Manager()->GetCurrentDocument(), doc_);
  doc_->Modify(true);
  wxTEST_DIALOG(Export(), FileDialogAnswer(page), FormatAnswer({0, 0, 0, 0, 0}));
  const wxString text = ShownText(shown, [&](const wxString& now) {
    return now.Contains(U("構造体一覧")) && !has_helper(now);
  });
  EXPECT_FALSE(has_helper(text)) << text.utf8_string();
  EXPECT_TRUE(text.Contains(U("構造体一覧"))) << text.utf8_string();
  EXPECT_EQ(Documents().size(), 2u);

  // The document that exported stays the active one, every command of its menus working.
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(Manager()->GetCurrentDocument(), doc_);
  EXPECT_TRUE(Frame()->GetTitle().Contains(wxS("spec.dcm"))) << Frame()->GetTitle().utf8_string();
  for (int id : {static_cast<int>(wxID_SAVE), static_cast<int>(wxID_SAVEAS), 32774, 1025}) {
    EXPECT_TRUE(MenuItemEnabled(Child(), id)) << id;
  }
  // Ctrl+S, pressed for real, saves it.
  Frame()->Raise();
  View()->FunctionList()->SetFocus();
  PumpUntil([] { return false; }, 200);
  wxUIActionSimulator keys;
  keys.Char('s', wxMOD_CONTROL);
  EXPECT_TRUE(PumpUntil([&] { return !doc_->IsModified(); }, 5000));
}

TEST_F(ExportTest, TheExportedPageOpensInABrowserWindowAndFromTheRecentFiles) {
  ASSERT_NE(OpenExample(), nullptr);
  const wxString page = Path(wxS("shown.htm"));
  wxTEST_DIALOG(Export(), FileDialogAnswer(page), FormatAnswer(kAllAttributes));

  auto page_text = [](wxDocument* doc) {
    auto* view = wxDynamicCast(doc->GetFirstView(), CBrowsView);
    wxString text;
    PumpUntil([&] {
      return view != nullptr && !view->GetWebView()->IsBusy() &&
             view->GetWebView()->RunScript(wxS("document.body ? document.body.textContent : ''"),
                                           &text) &&
             text.Contains(wxS("RECT"));
    });
    return text;
  };
  wxDocument* shown = Manager()->OpenFile(page);
  ASSERT_NE(shown, nullptr);
  const wxString text = page_text(shown);
  EXPECT_TRUE(text.Contains(U("関数一覧"))) << text.utf8_string();
  EXPECT_TRUE(text.Contains(U("見出し helper"))) << text.utf8_string();

  // Closed and opened again from the recent-file list.
  ASSERT_TRUE(Manager()->CloseDocument(shown, true));
  Pump();
  ASSERT_TRUE(SendCommand(Frame(), wxID_FILE1));
  Pump();
  wxDocument* again = nullptr;
  for (wxDocument* doc : Documents()) {
    if (doc->GetFilename() == page) again = doc;
  }
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(page_text(again).Contains(U("構造体一覧")));
}

TEST_F(ExportTest, TheMenuItemAndTheToolBarButtonWorkOnlyWithAFunctionDocument) {
  ASSERT_NE(OpenExample(), nullptr);
  Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_TRUE(Frame()->GetToolBar()->GetToolEnabled(32774));
  wxMenu* menu = nullptr;
  for (int id : {32774, 32782, 32783}) {
    wxMenuItem* item = Child()->GetMenuBar()->FindItem(id, &menu);
    ASSERT_NE(item, nullptr) << id;
    menu->UpdateUI(Child()->GetEventHandler());
    EXPECT_TRUE(item->IsEnabled()) << id;
  }

  // A real click on the tool bar's fourth button runs the export.
  Frame()->Raise();
  PumpUntil([] { return false; }, 200);
  wxToolBar* bar = Frame()->GetToolBar();
  // The GTK tool bar stands in an event box; its items know where they are.
  GtkWidget* toolbar = gtk_bin_get_child(GTK_BIN(bar->GetHandle()));
  GtkToolItem* item = gtk_toolbar_get_nth_item(GTK_TOOLBAR(toolbar), bar->GetToolPos(32774));
  ASSERT_NE(item, nullptr);
  GtkAllocation place{};
  gtk_widget_get_allocation(GTK_WIDGET(item), &place);
  const wxPoint button(place.x + place.width / 2, place.y + place.height / 2);
  const wxString page = Path(wxS("clicked.htm"));
  wxTEST_DIALOG(
      {
        wxUIActionSimulator mouse;
        mouse.MouseMove(bar->ClientToScreen(button));
        mouse.MouseClick();
        PumpUntil([&] { return wxFileName::FileExists(page); }, 5000);
      },
      FileDialogAnswer(page), FormatAnswer(kAllAttributes));
  EXPECT_EQ(ReadBytes(page), ExpectedPage(kAllAttributes));

  // Without a function document nothing handles the command: its button goes grey.
  doc_->Modify(false);
  ASSERT_TRUE(Manager()->CloseDocument(doc_, true));
  doc_ = nullptr;
  Pump();
  Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_FALSE(Frame()->GetToolBar()->GetToolEnabled(32774));
}

}  // namespace
