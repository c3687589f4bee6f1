#pragma once
// Test support for the editor's windows: a GoogleTest main running inside wx (see
// test_main.cpp), modal dialogs answered through wx/testing.h, and helpers that make the files,
// profile and event processing a test needs.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/string.h>

// Dialogs that a wxTEST_DIALOG does not expect fail the test instead of waiting for a user.
#define wxTEST_DIALOG_HOOK_CLASS GTestModalHook
#include <wx/testing.h>

class GTestModalHook : public wxTestingModalHook {
 public:
  GTestModalHook(const char* file, int line, const char* func)
      : wxTestingModalHook(file, line, func) {}

 protected:
  int Enter(wxDialog* dialog) override {
    const int result = wxTestingModalHook::Enter(dialog);
    return result == wxID_NONE ? wxID_CANCEL : result;
  }
  void ReportFailure(const wxString& message) override { ADD_FAILURE() << message.utf8_string(); }
};

// Expects a message box; records its text, caption and style, and answers it with `answer`.
struct SeenMessage {
  wxString text;
  wxString caption;
  long style = 0;
};

class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
 public:
  ExpectMessage(SeenMessage* seen, int answer) : seen_(seen), answer_(answer) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    seen_->text = dialog->GetMessage();
    seen_->caption = dialog->GetTitle();
    seen_->style = dialog->GetMessageDialogStyle();
    return answer_;
  }

 private:
  SeenMessage* seen_;
  int answer_;
};

// Processes pending and idle events until the condition holds or the time is up; returns the
// condition's last value.
bool PumpUntil(const std::function<bool()>& condition, int timeout_ms = 10000);

// A file dialog that was shown: what it offered.
struct SeenFileDialog {
  wxString title;
  wxString filter;
  wxString folder;
  wxString name;
  long style = 0;
};

// Answers a file dialog with a path (Cancel for an empty one), recording what it offered.
class ExpectFileDialog : public wxExpectModalBase<wxFileDialog, ExpectFileDialog> {
 public:
  ExpectFileDialog(SeenFileDialog* seen, const wxString& path) : seen_(seen), path_(path) {}

 protected:
  int OnInvoked(wxFileDialog* dialog) const override {
    seen_->title = dialog->GetMessage();
    seen_->filter = dialog->GetWildcard();
    seen_->folder = dialog->GetDirectory();
    seen_->name = dialog->GetFilename();
    seen_->style = dialog->GetWindowStyle();
    if (path_.empty()) return wxID_CANCEL;
    dialog->SetPath(path_);
    // GTK's file chooser takes the name asynchronously.
    PumpUntil([&] { return dialog->GetPath() == path_; }, 3000);
    return wxID_OK;
  }

 private:
  SeenFileDialog* seen_;
  wxString path_;
};

// UTF-8 literal to wxString.
inline wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

// Processes the events that are waiting now.
void Pump();

// A fresh folder for one test, removed with it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  wxString Path(const wxString& name) const;
  const wxString& Root() const { return root_; }

 private:
  wxString root_;
};

// Writes bytes to a file (no conversion).
void WriteBytes(const wxString& path, const std::string& bytes);
// Writes a .dcm file with the given functions (names in UTF-8).
void WriteSpecDocument(const wxString& path, std::initializer_list<const char*> functions);
