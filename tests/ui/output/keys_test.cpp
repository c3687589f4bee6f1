// Ctrl+Q and Ctrl+H as a user presses them: real key events on the raised frame reach the
// clipboard copy and the export of the active function document.
#include <wx/filename.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "core/text/sjis.h"
#include "tests/ui/output/output_fixture.h"
#include "ui/doc/func_doc.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

namespace {

using KeysTest = OutputTest;

TEST_F(KeysTest, CtrlQCopiesTheShownFunctionAndCtrlHExportsTheDocument) {
  ASSERT_NE(OpenExample(), nullptr);
  ASSERT_TRUE(View()->ShowFunction(0));
  PutTextOnClipboard(wxS("before"));
  Frame()->Raise();
  View()->FunctionList()->SetFocus();
  // Let the child frame's menu bar and the focus settle before typing.
  for (int i = 0; i < 10; ++i) {
    wxMilliSleep(20);
    Pump();
  }

  wxUIActionSimulator keys;
  keys.Char('q', wxMOD_CONTROL);
  EXPECT_TRUE(PumpUntil([] { return ClipboardText() != wxS("before"); }, 5000));
  const std::string block = ClipboardShiftJis();
  EXPECT_EQ(block.rfind("//", 0), 0u) << block;
  EXPECT_NE(block.find("//    add\n"), std::string::npos) << block;
  // The editor is still running with its document.
  ASSERT_NE(Frame(), nullptr);
  EXPECT_EQ(Documents().size(), 1u);

  const wxString page = Path(wxS("keyed.htm"));
  wxTEST_DIALOG(
      {
        keys.Char('h', wxMOD_CONTROL);
        PumpUntil([&] { return wxFileName::FileExists(page); }, 5000);
      },
      FileDialogAnswer(page), FormatAnswer(kAllAttributes));
  EXPECT_EQ(ReadBytes(page), ExpectedPage(kAllAttributes));
}

}  // namespace
