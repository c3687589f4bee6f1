// CFuncDoc: its operations and the modified flag, opening, saving and closing through the
// framework, and the document-information dialog.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <wx/mdi.h>

#include "core/model/file.h"
#include "form_fixture.h"
#include "testing_hook.h"
#include "ui/dialogs/doc_info_dlg.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/sjis_field.h"

namespace {

TEST(FuncDocOperations, ModifiedFlagFollowsTheOperations) {
  CFuncDoc doc;
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetCurrentFunction(), -1);

  EXPECT_EQ(doc.AddFunction("first"), 1u);
  EXPECT_TRUE(doc.IsModified());
  doc.AddFunction("second");
  doc.AddStruct("S");
  doc.Modify(false);

  // Reading never marks the document.
  quillmap::FunctionSpec function;
  ASSERT_TRUE(doc.GetFunction(1, function));
  EXPECT_EQ(function.GetRecordName(), "second");
  EXPECT_EQ(doc.GetCurrentFunction(), 1);
  EXPECT_FALSE(doc.GetFunction(5, function));
  EXPECT_EQ(doc.GetCurrentFunction(), 1);
  quillmap::StructSpec structure;
  EXPECT_TRUE(doc.GetStruct(0, structure));
  EXPECT_EQ(doc.FindFunction("first"), 0);
  EXPECT_EQ(doc.FindStruct("S"), 0);
  EXPECT_EQ(doc.GetDocInfo(quillmap::kDocInfoTitle), "title");
  EXPECT_FALSE(doc.IsModified());

  // Failed puts and removals leave it unmarked.
  EXPECT_FALSE(doc.PutFunction(7, function));
  EXPECT_FALSE(doc.RemoveFunction(7));
  EXPECT_FALSE(doc.PutStruct(3, structure));
  EXPECT_FALSE(doc.RemoveStruct(3));
  EXPECT_FALSE(doc.IsModified());

  // The current function stays at its index when that function is removed.
  EXPECT_TRUE(doc.RemoveFunction(1));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetCurrentFunction(), 1);

  doc.Modify(false);
  EXPECT_TRUE(doc.PutStruct(0, structure));
  EXPECT_TRUE(doc.IsModified());
}

TEST(FuncDocOperations, SetDocInfoMarksEvenWhenUnchangedOrRefused) {
  CFuncDoc doc;
  EXPECT_TRUE(doc.SetDocInfo(quillmap::kDocInfoTitle, "title"));
  EXPECT_TRUE(doc.IsModified());
  doc.Modify(false);
  EXPECT_FALSE(doc.SetDocInfo(2, "x"));
  EXPECT_TRUE(doc.IsModified());
}

using FuncDocTest = FormTest;

TEST_F(FuncDocTest, NewDocumentIsUnmodifiedWithDefaultInformation) {
  CFuncDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->GetFunctionCount(), 0u);
  EXPECT_EQ(doc->GetDocInfo(quillmap::kDocInfoCopyright), "Copyright");
}

TEST_F(FuncDocTest, FileThatIsNotADocumentIsRefusedAndNoWindowRemains) {
  const std::string path = TempPath("notes.dcm");
  WriteFile(path, "This is a plain text file, not a document.\n");
  CFuncDoc* doc = nullptr;
  const ShownMessage shown = ExpectMessage([&] { doc = OpenDocument(path); });
  EXPECT_EQ(doc, nullptr);
  EXPECT_EQ(shown.message, wxString::FromUTF8("予期しないﾌｧｲﾙ形式です。"));
  EXPECT_EQ(shown.caption, wxString::FromUTF8("Quillmap"));
  Pump();
  EXPECT_TRUE(manager_->GetDocumentsVector().empty());
  EXPECT_EQ(frame_->GetActiveChild(), nullptr);
  EXPECT_EQ(frame_->GetClientWindow()->GetChildren().GetCount(), 0u);
}

TEST_F(FuncDocTest, MissingFileIsReportedWithItsPath) {
  const std::string path = TempPath("absent.dcm");
  CFuncDoc* doc = nullptr;
  const ShownMessage shown = ExpectMessage([&] { doc = OpenDocument(path); });
  EXPECT_EQ(doc, nullptr);
  EXPECT_TRUE(shown.message.Contains(wxString::FromUTF8(path))) << shown.message.utf8_str();
}

TEST_F(FuncDocTest, SaveWritesTheStoreAndClearsTheFlag) {
  quillmap::SpecStore store;
  AddFunctions(store, {"f"});
  const std::string path = WriteDocument(store, "saved.dcm");
  CFuncDoc* doc = OpenDocument(path);
  ASSERT_NE(doc, nullptr);
  EXPECT_FALSE(doc->IsModified());
  doc->AddFunction("g");
  ASSERT_TRUE(doc->Save());
  EXPECT_FALSE(doc->IsModified());

  quillmap::SpecStore reread;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(reread, path));
  EXPECT_EQ(reread.FindFunction("g"), 1);
}

TEST_F(FuncDocTest, FailedSaveNamesThePathAndKeepsTheOldFile) {
  quillmap::SpecStore store;
  AddFunctions(store, {"kept"});
  const std::string path = WriteDocument(store, "old.dcm");
  const std::string before = ReadFile(path);
  CFuncDoc* doc = OpenDocument(path);
  ASSERT_NE(doc, nullptr);
  for (int i = 0; i < 50; ++i) doc->AddFunction("function" + std::to_string(i));

  // A file-size limit smaller than the document makes the write fail, whoever runs the test.
  rlimit old_limit{};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = before.size() + 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool saved = true;
  const ShownMessage shown = ExpectMessage([&] { saved = doc->Save(); });
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(saved);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(shown.message.Contains(wxString::FromUTF8(path))) << shown.message.utf8_str();
  EXPECT_EQ(ReadFile(path), before);
}

TEST_F(FuncDocTest, ClosingAModifiedDocumentAsksWithItsName) {
  quillmap::SpecStore store;
  AddFunctions(store, {"f"});
  const std::string path = WriteDocument(store, "sample.dcm");
  const std::string before = ReadFile(path);
  CFuncDoc* doc = OpenDocument(path);
  ASSERT_NE(doc, nullptr);
  doc->AddFunction("g");

  ShownMessage shown = ExpectMessage([&] { EXPECT_FALSE(doc->Close()); }, wxID_CANCEL);
  EXPECT_EQ(shown.message, wxString::FromUTF8("sample.dcm への変更を保存しますか?"));
  EXPECT_EQ(shown.caption, "Quillmap");
  EXPECT_EQ(shown.style & (wxYES_NO | wxCANCEL), wxYES_NO | wxCANCEL);
  EXPECT_TRUE(doc->IsModified());

  // No: the window closes and the file is untouched.
  shown = ExpectMessage([&] { EXPECT_TRUE(manager_->CloseDocument(doc)); }, wxID_NO);
  Pump();
  EXPECT_TRUE(manager_->GetDocumentsVector().empty());
  EXPECT_EQ(ReadFile(path), before);
}

TEST_F(FuncDocTest, ClosingAnUnmodifiedDocumentAsksNothing) {
  CFuncDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(manager_->CloseDocument(doc));
  Pump();
  EXPECT_TRUE(manager_->GetDocumentsVector().empty());
}

// ---- document-information dialog --------------------------------------------------------------

// Answers CDocInfoDlg: records what it showed, optionally types new texts, then OK or Cancel.
class DocInfoAnswer : public wxExpectModalBase<CDocInfoDlg> {
 public:
  DocInfoAnswer(int answer, wxString* shown_title, wxString* shown_copyright,
                const wxString* new_title = nullptr)
      : answer_(answer),
        shown_title_(shown_title),
        shown_copyright_(shown_copyright),
        new_title_(new_title) {}

 protected:
  int OnInvoked(CDocInfoDlg* dialog) const override {
    EXPECT_EQ(dialog->GetTitle(), wxString::FromUTF8("ﾄﾞｷｭﾒﾝﾄ情報"));
    EXPECT_EQ(dialog->FindWindow(ids::kDocInfoTitle), dialog->TitleEdit());
    EXPECT_EQ(dialog->FindWindow(ids::kDocInfoCopyright), dialog->CopyrightEdit());
    *shown_title_ = dialog->TitleEdit()->GetValue();
    *shown_copyright_ = dialog->CopyrightEdit()->GetValue();
    if (new_title_ != nullptr) dialog->TitleEdit()->ChangeValue(*new_title_);
    if (answer_ == wxID_OK && !dialog->TransferDataFromWindow()) return wxID_CANCEL;
    return answer_;
  }

 private:
  int answer_;
  wxString* shown_title_;
  wxString* shown_copyright_;
  const wxString* new_title_;
};

void RunDocInfo(CFuncDoc* doc) {
  wxCommandEvent command(wxEVT_MENU, ids::kDocInfo);
  doc->ProcessEvent(command);
}

TEST_F(FuncDocTest, DocInfoOkWithoutChangeIsNoStep) {
  CFuncDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  doc->SetDocInfo(quillmap::kDocInfoTitle, Sjis("仕様書"));
  doc->Modify(false);
  wxString title, copyright;
  wxTEST_DIALOG(RunDocInfo(doc), DocInfoAnswer(wxID_OK, &title, &copyright));
  EXPECT_EQ(title, wxString::FromUTF8("仕様書"));
  EXPECT_EQ(copyright, "Copyright");
  // The same texts change nothing: no step, and the mark stays as it is.
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(doc->CanUndoStep());
  EXPECT_EQ(doc->GetDocInfo(quillmap::kDocInfoTitle), Sjis("仕様書"));
}

TEST_F(FuncDocTest, DocInfoCancelChangesNothingAndOkCopiesTheEdits) {
  CFuncDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  wxString title, copyright;
  const wxString typed = wxString::FromUTF8("関数仕様 第2版");
  wxTEST_DIALOG(RunDocInfo(doc), DocInfoAnswer(wxID_CANCEL, &title, &copyright, &typed));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->GetDocInfo(quillmap::kDocInfoTitle), "title");

  wxTEST_DIALOG(RunDocInfo(doc), DocInfoAnswer(wxID_OK, &title, &copyright, &typed));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->GetDocInfo(quillmap::kDocInfoTitle), Sjis("関数仕様 第2版"));
  EXPECT_EQ(doc->GetDocInfo(quillmap::kDocInfoCopyright), "Copyright");
}

TEST_F(FuncDocTest, DocInfoOfADocumentWithoutCopyrightKeepsItWithout) {
  // A document whose information tree has no "copyright" key: rename the key in the file.
  quillmap::SpecStore store;
  const std::string path = WriteDocument(store, "nocopyright.dcm");
  std::string bytes = ReadFile(path);
  const std::size_t key = bytes.find("copyright");
  ASSERT_NE(key, std::string::npos);
  bytes.replace(key, 9, "copyleft_");
  WriteFile(path, bytes);

  CFuncDoc* doc = OpenDocument(path);
  ASSERT_NE(doc, nullptr);
  wxString title, copyright;
  wxTEST_DIALOG(RunDocInfo(doc), DocInfoAnswer(wxID_OK, &title, &copyright));
  EXPECT_EQ(copyright, "");
  EXPECT_FALSE(doc->IsModified());  // nothing could change
  EXPECT_EQ(doc->GetDocInfo(quillmap::kDocInfoCopyright), "");
  EXPECT_FALSE(doc->SetDocInfo(quillmap::kDocInfoCopyright, "x"));
}

TEST_F(FuncDocTest, DocInfoRefusesTextShiftJisCannotHold) {
  CDocInfoDlg dialog(frame_);
  dialog.TransferDataToWindow();
  dialog.TitleEdit()->ChangeValue(wxString::FromUTF8("title \u2603"));
  bool transferred = true;
  const ShownMessage shown = ExpectMessage([&] { transferred = dialog.TransferDataFromWindow(); });
  EXPECT_FALSE(transferred);
  EXPECT_TRUE(shown.message.Contains(wxString::FromUTF8("\u2603")));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  EXPECT_EQ(dialog.GetDocInfo(quillmap::kDocInfoTitle), "title");
  EXPECT_EQ(dialog.TitleEdit()->GetValue(), wxString::FromUTF8("title \u2603"));
}

}  // namespace
