#pragma once
// Fixture of the output commands: the editor started on a document whose functions have every
// attribute (the first is the clipboard's worked example), answers for the export's two
// dialogs, and the clipboard read back.

#include <array>
#include <string>

#include <wx/filedlg.h>

#include "core/output/html_export_file.h"
#include "tests/ui/app/app_fixture.h"
#include "ui/dialogs/html_format_dlg.h"

class CFuncDoc;
class CFuncView;

namespace quillmap {
class SpecStore;
}

// What the options dialog showed when it opened.
struct SeenFormatDialog {
  std::array<bool, quillmap::kFuncAttributeCount> attributes{};
  bool frames_enabled = true;
  bool sorting_enabled = false;
  bool shown = false;
};

// Answers the options dialog: sets the five attribute boxes (and the sort boxes, which must not
// matter) and presses OK, or Cancel.
class FormatAnswer : public wxExpectModalBase<CHtmlFormatDlg, FormatAnswer> {
 public:
  explicit FormatAnswer(const quillmap::AttributeFlags& flags, int answer = wxID_OK,
                        SeenFormatDialog* seen = nullptr, bool sort = false)
      : flags_(flags), answer_(answer), seen_(seen), sort_(sort) {}

 protected:
  int OnInvoked(CHtmlFormatDlg* dialog) const override;

 private:
  quillmap::AttributeFlags flags_;
  int answer_;
  SeenFormatDialog* seen_;
  bool sort_;
};

inline constexpr quillmap::AttributeFlags kAllAttributes = {1, 1, 1, 1, 1};

class OutputTest : public AppTest {
 protected:
  // Starts the editor on spec.dcm: "add" (public, the worked example), "helper" (static),
  // "guard" (protected), "secret" (private), "fast" (inline), structures "POINT" and "RECT".
  // Null when it could not be opened.
  CFuncDoc* OpenExample();
  CFuncView* View() const;
  wxFrame* Child() const;
  std::string DocumentPath() const { return Path(wxS("spec.dcm")).utf8_string(); }

  // Runs the export command as its menu item does.
  bool Export() { return SendCommand(Child(), 32774); }
  // Runs the clipboard copy as its menu item does.
  bool Copy() { return SendCommand(Child(), 32782); }

  // The exporter's own bytes for the document with the given flags.
  std::string ExpectedPage(const quillmap::AttributeFlags& flags) const;

  CFuncDoc* doc_ = nullptr;
};

std::string ReadBytes(const wxString& path);
// Number of entries in a folder.
int EntriesIn(const wxString& folder);

// The clipboard: plain text put there by a test, the text and the Shift-JIS bytes read back
// (empty when the clipboard holds no such format).
void PutTextOnClipboard(const wxString& text);
wxString ClipboardText();
std::string ClipboardShiftJis();
