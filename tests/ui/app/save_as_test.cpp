// Save As: the dialog's title, filters and proposed name, the extension added to a bare name, the
// question before a file is replaced, and what the document becomes afterwards.

#include <wx/ffile.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"
#include "tests/ui/app/app_fixture.h"
#include "ui/doc/func_doc.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

namespace {

class SaveAsTest : public AppTest {
 protected:
  CFuncDoc* OpenOne(const wxString& name) {
    const wxString path = Path(name);
    WriteSpecDocument(path, {"Alpha"});
    if (!Start(path) || Documents().size() != 1) return nullptr;
    return wxDynamicCast(Documents()[0], CFuncDoc);
  }
  static wxWindow* FrameOf(wxDocument* doc) { return doc->GetFirstView()->GetFrame(); }
};

TEST_F(SaveAsTest, DialogHasJapaneseTitleAndTheTemplateFilterOnce) {
  CFuncDoc* doc = OpenOne(wxS("first.dcm"));
  ASSERT_NE(doc, nullptr);
  // A field typed into and never left is stored before the file is written.
  auto* view = wxDynamicCast(doc->GetFirstView(), CFuncView);
  ASSERT_TRUE(view->ShowFunction(0));
  view->HeadingEdit()->ChangeValue(U("見出しを入力"));

  SeenFileDialog seen;
  const wxString target = Path(wxS("second.dcm"));
  wxTEST_DIALOG(SendCommand(FrameOf(doc), wxID_SAVEAS), FileDialogAnswer(target, wxID_OK, &seen));
  EXPECT_EQ(seen.title, U("名前を付けて保存"));
  EXPECT_TRUE(seen.style & wxFD_SAVE);
  // The function document's own filter (the HTML template makes other documents), then all files.
  EXPECT_EQ(seen.wildcard, U("dcm ﾌｧｲﾙ (*.dcm)|*.dcm|すべてのﾌｧｲﾙ (*.*)|*"));
  EXPECT_EQ(seen.directory, Path(wxString()).BeforeLast('/'));
  EXPECT_EQ(seen.filename, U("first.dcm"));

  EXPECT_EQ(doc->GetFilename(), target);
  EXPECT_EQ(doc->GetUserReadableName(), U("second.dcm"));
  // The window's tab names the new file at once, not after the next edit.
  Pump();
  EXPECT_EQ(wxDynamicCast(FrameOf(doc), wxTopLevelWindow)->GetTitle(), U("second.dcm"));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(Manager()->GetFileHistory()->GetHistoryFile(0), target);
  quillmap::SpecStore saved;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(saved, target.utf8_string()));
  quillmap::FunctionSpec function;
  ASSERT_TRUE(saved.GetFunction(0, function));
  EXPECT_EQ(function.GetIndex(), quillmap::text::Sjis("見出しを入力"));
}

TEST_F(SaveAsTest, NewDocumentIsOfferedItsTitleAndABareNameGetsTheExtension) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  ASSERT_EQ(Documents().size(), 1u);
  wxDocument* doc = Documents()[0];

  SeenFileDialog seen;
  wxTEST_DIALOG(SendCommand(FrameOf(doc), wxID_SAVEAS),
                FileDialogAnswer(Path(wxS("bare")), wxID_OK, &seen));
  EXPECT_EQ(seen.filename, U("Quillmap1.dcm"));
  EXPECT_EQ(doc->GetFilename(), Path(wxS("bare.dcm")));
  EXPECT_TRUE(wxFileName::FileExists(Path(wxS("bare.dcm"))));
  EXPECT_FALSE(wxFileName::Exists(Path(wxS("bare"))));

  // Cancel leaves everything as it was.
  wxTEST_DIALOG(SendCommand(FrameOf(doc), wxID_SAVEAS),
                FileDialogAnswer(wxString(), wxID_CANCEL, &seen));
  EXPECT_EQ(doc->GetFilename(), Path(wxS("bare.dcm")));
}

TEST_F(SaveAsTest, ExistingFileIsReplacedOnlyWhenTheUserAgrees) {
  CFuncDoc* doc = OpenOne(wxS("mine.dcm"));
  ASSERT_NE(doc, nullptr);
  const wxString other = Path(wxS("other.dcm"));
  WriteBytes(other, "keep me");

  // No: the dialog comes back, and Cancel there writes nothing.
  SeenFileDialog seen;
  SeenMessage question;
  wxTEST_DIALOG(SendCommand(FrameOf(doc), wxID_SAVEAS), FileDialogAnswer(other, wxID_OK, &seen),
                ExpectMessage(&question, wxID_NO),
                FileDialogAnswer(wxString(), wxID_CANCEL, &seen));
  EXPECT_EQ(question.text, other + U(" は既に存在します。\n上書きしますか?"));
  EXPECT_EQ(question.caption, U("名前を付けて保存"));
  EXPECT_EQ(question.style & (wxYES_NO | wxNO_DEFAULT), wxYES_NO | wxNO_DEFAULT);
  EXPECT_EQ(doc->GetFilename(), Path(wxS("mine.dcm")));
  wxFFile kept(other, wxS("rb"));
  wxString text;
  ASSERT_TRUE(kept.ReadAll(&text));
  EXPECT_EQ(text, wxS("keep me"));

  // Yes: the document is written over it.
  wxTEST_DIALOG(SendCommand(FrameOf(doc), wxID_SAVEAS), FileDialogAnswer(other, wxID_OK, &seen),
                ExpectMessage(&question, wxID_YES));
  EXPECT_EQ(doc->GetFilename(), other);
  quillmap::SpecStore replaced;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(replaced, other.utf8_string()));
  EXPECT_EQ(replaced.GetFunctionCount(), 1u);
}

}  // namespace
