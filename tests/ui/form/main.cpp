// Test program of the function document and its form: a wx application without a main loop of
// its own, whose assertions and unexpected dialogs become test failures instead of blocking.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

class TestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

namespace {

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  ADD_FAILURE_AT(file.utf8_str(), line)
      << "wx assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " " << msg.utf8_str();
}

// Consulted after the hooks of wxTEST_DIALOG: any dialog that reaches it was not expected.
class UnexpectedDialogHook : public wxModalDialogHook {
 protected:
  int Enter(wxDialog* dialog) override {
    wxString text = dialog->GetTitle();
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) text += ": " + box->GetMessage();
    ADD_FAILURE() << "unexpected dialog " << text.utf8_str();
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!wxEntryStart(argc, argv)) return 2;
  wxTheApp->CallOnInit();
  wxSetAssertHandler(FailOnAssert);
  int result = 0;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    UnexpectedDialogHook unexpected;
    unexpected.Register();
    result = RUN_ALL_TESTS();
    unexpected.Unregister();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
