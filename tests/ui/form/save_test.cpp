// Saving from the editor: Save and Save As refuse what can't be saved (a FIFO, a device, a
// read-only file, a link that can't be followed) and keep the document modified; a file another
// program changed is replaced only when the user says so; the document's lock is respected.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <wx/filedlg.h>

#include "core/model/document_lock.h"
#include "core/model/file.h"
#include "form_fixture.h"
#include "testing_hook.h"

namespace {

namespace fs = std::filesystem;

// Answers Save As's file dialog with a path.
class ExpectSaveAsDialog : public wxExpectModalBase<wxFileDialog, ExpectSaveAsDialog> {
 public:
  explicit ExpectSaveAsDialog(const wxString& path) : path_(path) {}

 protected:
  int OnInvoked(wxFileDialog* dialog) const override {
    dialog->SetPath(path_);
    // GTK's file chooser takes the name asynchronously.
    for (int i = 0; i < 300 && dialog->GetPath() != path_; ++i) {
      wxYield();
      wxMilliSleep(10);
    }
    return wxID_OK;
  }

 private:
  wxString path_;
};

// Answers one message box and records it.
class RecordMessage : public wxExpectModalBase<wxMessageDialog, RecordMessage> {
 public:
  RecordMessage(ShownMessage* shown, int answer) : shown_(shown), answer_(answer) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    shown_->caption = dialog->GetTitle();
    shown_->message = dialog->GetMessage();
    shown_->style = dialog->GetMessageDialogStyle();
    return answer_;
  }

 private:
  ShownMessage* shown_;
  int answer_;
};

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

// The refusal's text: the save failure with the path, then why.
wxString Refusal(const std::string& path, const char* reason) {
  return wxString::FromUTF8(path) + U(" に保存できませんでした。元のﾌｧｲﾙは変更されていません。\n") +
         U(reason);
}

wxString ChangedQuestion(const std::string& path) {
  return wxString::FromUTF8(path) + U(" はほかのﾌﾟﾛｸﾞﾗﾑで変更されています。\n上書きしますか?");
}

bool HasFunction(const std::string& path, const std::string& name) {
  quillmap::SpecStore store;
  return quillmap::LoadStoreFromPath(store, path) && store.FindFunction(name) >= 0;
}

class SaveTest : public FormTest {
 protected:
  // A document opened from a file with one function, then changed (a function added).
  CFuncDoc* OpenChanged(const std::string& name) {
    quillmap::SpecStore store;
    AddFunctions(store, {"f"});
    path_ = WriteDocument(store, name);
    CFuncDoc* doc = OpenDocument(path_);
    if (doc != nullptr) doc->AddFunction("mine");
    return doc;
  }
  // Adds a function to the file with quillmap-cli, as another program.
  void AddFromOutside(const std::string& function) {
    const std::string command = std::string("'") + QUILLMAP_CLI + "' add '" + path_ + "' 'int " +
                                function + "(void)' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  std::string path_;
};

TEST_F(SaveTest, SaveAsRefusesFifoDeviceReadOnlyFileAndBrokenLink) {
  CFuncDoc* doc = OpenChanged("doc.dcm");
  ASSERT_NE(doc, nullptr);
  const wxString original_name = doc->GetFilename();
  ASSERT_EQ(mkfifo(TempPath("fifo.dcm").c_str(), 0644), 0);
  WriteFile(TempPath("readonly.dcm"), "read only");
  chmod(TempPath("readonly.dcm").c_str(), 0444);
  fs::create_symlink("missing.dcm", TempPath("dangling.dcm"));
  std::vector<std::pair<std::string, const char*>> targets{
      {"fifo.dcm", "通常のﾌｧｲﾙではありません。"},
      {"readonly.dcm", "読み取り専用のﾌｧｲﾙです。"},
      {"dangling.dcm", "ｼﾝﾎﾞﾘｯｸ ﾘﾝｸの指す先をたどれません。"},
  };
  // A null device of the test's own (root only): a failure would never touch /dev/null.
  if (mknod(TempPath("null.dcm").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    targets.emplace_back("null.dcm", "通常のﾌｧｲﾙではありません。");
  } else {
    std::printf("[   NOTE   ] not root: the device case is shown by the core's tests\n");
  }

  for (const auto& [name, reason] : targets) {
    const std::string target = TempPath(name);
    ShownMessage question;
    ShownMessage shown;
    bool saved = true;
    // Something stands at the name: Save As asks first, and the save then refuses it.
    wxTEST_DIALOG(saved = doc->SaveAs(), ExpectSaveAsDialog(wxString::FromUTF8(target)),
                  RecordMessage(&question, wxID_YES), RecordMessage(&shown, wxID_OK));
    EXPECT_EQ(question.message,
              wxString::FromUTF8(target) + U(" は既に存在します。\n上書きしますか?"))
        << name;
    EXPECT_FALSE(saved) << name;
    EXPECT_EQ(shown.message, Refusal(target, reason)) << name;
    EXPECT_EQ(shown.caption, U("Quillmap"));
    EXPECT_EQ(shown.style & (wxOK | wxICON_EXCLAMATION), wxOK | wxICON_EXCLAMATION);
    EXPECT_TRUE(doc->IsModified()) << name;
    EXPECT_EQ(doc->GetFilename(), original_name) << name;
  }
  struct stat status {};
  ASSERT_EQ(lstat(TempPath("fifo.dcm").c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  EXPECT_EQ(ReadFile(TempPath("readonly.dcm")), "read only");
  EXPECT_EQ(fs::read_symlink(TempPath("dangling.dcm")), "missing.dcm");
  EXPECT_FALSE(HasFunction(path_, "mine"));
}

TEST_F(SaveTest, SaveRefusesADocumentMadeReadOnlyAndKeepsItModified) {
  CFuncDoc* doc = OpenChanged("doc.dcm");
  ASSERT_NE(doc, nullptr);
  const std::string before = ReadFile(path_);
  chmod(path_.c_str(), 0444);
  bool saved = true;
  const ShownMessage shown = ExpectMessage([&] { saved = doc->Save(); });
  EXPECT_FALSE(saved);
  EXPECT_EQ(shown.message, Refusal(path_, "読み取り専用のﾌｧｲﾙです。"));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(ReadFile(path_), before);
}

TEST_F(SaveTest, FileChangedByAnotherProgramIsReplacedOnlyWhenTheUserSaysSo) {
  CFuncDoc* doc = OpenChanged("doc.dcm");
  ASSERT_NE(doc, nullptr);
  AddFromOutside("theirs");

  bool saved = true;
  ShownMessage shown = ExpectMessage([&] { saved = doc->Save(); }, wxID_NO);
  EXPECT_EQ(shown.message, ChangedQuestion(path_));
  EXPECT_EQ(shown.caption, U("Quillmap"));
  EXPECT_EQ(shown.style & (wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION),
            wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
  EXPECT_FALSE(saved);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(HasFunction(path_, "theirs"));
  EXPECT_FALSE(HasFunction(path_, "mine"));

  // Asked again at the next Save; Yes replaces the file.
  shown = ExpectMessage([&] { saved = doc->Save(); }, wxID_YES);
  EXPECT_EQ(shown.message, ChangedQuestion(path_));
  EXPECT_TRUE(saved);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(HasFunction(path_, "mine"));
  EXPECT_FALSE(HasFunction(path_, "theirs"));

  // The editor's own saves never count as changes (an unexpected question fails the test).
  doc->AddFunction("second");
  EXPECT_TRUE(doc->Save());
  doc->AddFunction("third");
  EXPECT_TRUE(doc->Save());
  EXPECT_TRUE(HasFunction(path_, "third"));

  // A change written into the same file (same inode, other size) is noticed too.
  WriteFile(path_, ReadFile(path_) + "tail");
  doc->AddFunction("fourth");
  shown = ExpectMessage([&] { saved = doc->Save(); }, wxID_NO);
  EXPECT_EQ(shown.message, ChangedQuestion(path_));
  EXPECT_FALSE(saved);
}

TEST_F(SaveTest, YesToTheQuestionStillRefusesANameThatBecameALink) {
  CFuncDoc* doc = OpenChanged("doc.dcm");
  ASSERT_NE(doc, nullptr);
  const std::string before = ReadFile(path_);
  const std::string other = TempPath("other");
  WriteFile(other, "other's bytes");
  // Another program moves the document away and leaves a link to another file in its place.
  ASSERT_EQ(rename(path_.c_str(), TempPath("moved.dcm").c_str()), 0);
  ASSERT_EQ(symlink(other.c_str(), path_.c_str()), 0);

  bool saved = true;
  ShownMessage question;
  ShownMessage refusal;
  wxTEST_DIALOG(saved = doc->Save(), RecordMessage(&question, wxID_YES),
                RecordMessage(&refusal, wxID_OK));
  EXPECT_EQ(question.message, ChangedQuestion(path_));
  EXPECT_EQ(refusal.message, Refusal(path_, "開いた後でｼﾝﾎﾞﾘｯｸ ﾘﾝｸに置き換えられています。"));
  EXPECT_FALSE(saved);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(ReadFile(other), "other's bytes");
  EXPECT_EQ(ReadFile(TempPath("moved.dcm")), before);
  EXPECT_TRUE(fs::is_symlink(path_));
}

TEST_F(SaveTest, OpeningRemovesTheLeftoverOfASaveThatDied) {
  quillmap::SpecStore store;
  AddFunctions(store, {"f"});
  path_ = WriteDocument(store, "doc.dcm");
  // A leftover nobody holds a lock on: its writer is gone.
  const std::string leftover = quillmap::TemporaryPathFor(path_);
  WriteFile(leftover, std::string(1000, 'x'));
  ASSERT_NE(OpenDocument(path_), nullptr);
  EXPECT_FALSE(fs::exists(leftover));
}

TEST_F(SaveTest, SaveAsToAnotherFileAsksNothingAndLaterSavesStayQuiet) {
  CFuncDoc* doc = OpenChanged("doc.dcm");
  ASSERT_NE(doc, nullptr);
  AddFromOutside("theirs");  // the old file changed: no matter for a save under a new name
  const std::string copy = TempPath("copy.dcm");
  bool saved = false;
  wxTEST_DIALOG(saved = doc->SaveAs(), ExpectSaveAsDialog(wxString::FromUTF8(copy)));
  EXPECT_TRUE(saved);
  EXPECT_EQ(doc->GetFilename(), wxString::FromUTF8(copy));
  doc->AddFunction("later");
  EXPECT_TRUE(doc->Save());
  EXPECT_TRUE(HasFunction(copy, "later"));
  EXPECT_FALSE(HasFunction(path_, "mine"));
}

TEST_F(SaveTest, SaveRespectsTheDocumentsLock) {
  CFuncDoc* doc = OpenChanged("doc.dcm");
  ASSERT_NE(doc, nullptr);
  quillmap::DocumentLock held;
  ASSERT_EQ(held.Lock(path_, std::chrono::milliseconds(0)), quillmap::DocumentLock::State::kLocked);

  // Held for longer than Save waits: refused, the document stays modified.
  bool saved = true;
  const ShownMessage shown = ExpectMessage([&] { saved = doc->Save(); });
  EXPECT_FALSE(saved);
  EXPECT_EQ(shown.message, Refusal(path_, "ほかのﾌﾟﾛｸﾞﾗﾑが使用中です。"));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_FALSE(HasFunction(path_, "mine"));

  // Let go while Save waits: it saves.
  std::thread releaser([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    held.Unlock();
  });
  saved = doc->Save();
  releaser.join();
  EXPECT_TRUE(saved);
  EXPECT_TRUE(HasFunction(path_, "mine"));
}

}  // namespace
