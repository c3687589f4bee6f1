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

// What a file dialog showed; filled in by FileDialogAnswer.
struct SeenFileDialog {
  wxString title;
  wxString wildcard;
  wxString directory;
  wxString filename;
  long style = 0;
  int shown = 0;
};

// Answers a file dialog as a user who chose a path (with a filter) or cancelled.
class FileDialogAnswer : public wxExpectModalBase<wxFileDialog, FileDialogAnswer> {
 public:
  FileDialogAnswer(const wxString& path, int answer = wxID_OK, SeenFileDialog* seen = nullptr,
                   int filter_index = 0)
      : path_(path), answer_(answer), seen_(seen), filter_index_(filter_index) {}

 protected:
  int OnInvoked(wxFileDialog* dialog) const override {
    if (seen_ != nullptr) {
      const int shown = seen_->shown + 1;
      *seen_ =
          SeenFileDialog{dialog->GetMessage(),  dialog->GetWildcard(),    dialog->GetDirectory(),
                         dialog->GetFilename(), dialog->GetWindowStyle(), shown};
    }
    dialog->SetFilterIndex(filter_index_);
    if (!path_.empty()) {
      dialog->SetPath(path_);
      // GTK's file chooser takes the name asynchronously.
      PumpUntil([&] { return dialog->GetPath() == path_; }, 3000);
    }
    return answer_;
  }

 private:
  wxString path_;
  int answer_;
  SeenFileDialog* seen_;
  int filter_index_;
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
