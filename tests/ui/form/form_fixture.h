#pragma once
// Fixture of the form tests: a document manager with the function-document template, a
// main frame for the child frames, a temporary folder for .dcm files, and helpers that answer
// dialogs and pump events.

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include <wx/docmdi.h>
#include <wx/docview.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include "core/model/spec_store.h"
#include "ui/doc/func_doc.h"
#include "ui/view/func_view.h"

// A message box that was shown: what it said and how.
struct ShownMessage {
  wxString caption;
  wxString message;
  long style = 0;
};

// Answers one message box with answer and records it in shown (for wxTEST_DIALOG).
class RecordingMessageExpectation : public wxExpectModalBase<wxMessageDialog> {
 public:
  RecordingMessageExpectation(ShownMessage& shown, int answer = wxID_OK)
      : shown_(shown), answer_(answer) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override;

 private:
  ShownMessage& shown_;
  int answer_;
};

// Runs code that must show exactly one message box; answers it with answer and returns it.
ShownMessage ExpectMessage(const std::function<void()>& code, int answer = wxID_OK);

// Processes pending events, idle handlers and delayed deletions.
void Pump();
// Keeps pumping for a while: for what waits on a timer (a refusal's message waits for a pause).
void PumpFor(int milliseconds);

// Shift-JIS of a UTF-8 literal.
std::string Sjis(const char* utf8);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
using quillmap::LocalMidnight;

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a store to a file in the temporary folder and returns its path.
  std::string WriteDocument(const quillmap::SpecStore& store, const std::string& file_name);
  std::string TempPath(const std::string& file_name) const;

  CFuncDoc* NewDocument();
  CFuncDoc* OpenDocument(const std::string& path);
  static CFuncView* ViewOf(CFuncDoc* doc);

  // Makes a list item the selected and focused one, as a click does.
  static void ClickItem(wxListCtrl* list, long item);

  wxDocManager* manager_ = nullptr;
  wxDocMDIParentFrame* frame_ = nullptr;
  std::string folder_;
};

// A store with the given functions (each with return type "int") and structures.
void AddFunctions(quillmap::SpecStore& store, const std::vector<std::string>& names);
void AddStructs(quillmap::SpecStore& store, const std::vector<std::string>& names);
