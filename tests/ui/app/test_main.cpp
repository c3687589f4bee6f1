// GoogleTest main for the editor's window tests: wx is started once (without running the
// application's start-up, which each test carries out itself), failed assertions become test
// failures, and any dialog that no test expects is answered with Cancel and fails the test.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/utils.h>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"
#include "tests/ui/app/wx_test_env.h"
#include "ui/app/assert_policy.h"
#include "ui/app/spec_app.h"

wxIMPLEMENT_APP_NO_MAIN(CSpecApp);

namespace {

class UnexpectedDialogHook : public wxModalDialogHook {
 protected:
  int Enter(wxDialog* dialog) override {
    wxString what = dialog->GetTitle();
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) what << wxS(": ") << box->GetMessage();
    ADD_FAILURE() << "unexpected dialog " << what.utf8_string();
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  if (IsIdRangeAssert(cond, msg)) return;  // the program's ids exceed 15 bits on purpose
  ADD_FAILURE() << "wx assertion in " << file.utf8_string() << ":" << line << " "
                << func.utf8_string() << ": " << cond.utf8_string() << " " << msg.utf8_string();
}

}  // namespace

void Pump() {
  for (int i = 0; i < 5; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
  }
}

bool PumpUntil(const std::function<bool()>& condition, int timeout_ms) {
  const wxLongLong end = wxGetLocalTimeMillis() + timeout_ms;
  while (!condition()) {
    if (wxGetLocalTimeMillis() > end) return false;
    Pump();
    wxMilliSleep(10);
  }
  return true;
}

TempDir::TempDir() {
  wxString base = wxFileName::GetTempDir() + wxS("/quillmap-ui-XXXXXX");
  std::string buffer = base.utf8_string();
  if (mkdtemp(buffer.data()) == nullptr) std::abort();
  root_ = wxString::FromUTF8(buffer);
}

TempDir::~TempDir() {
  wxFileName::Rmdir(root_, wxPATH_RMDIR_RECURSIVE);
}

wxString TempDir::Path(const wxString& name) const {
  return root_ + wxS("/") + name;
}

void WriteBytes(const wxString& path, const std::string& bytes) {
  std::ofstream out(path.utf8_string(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteSpecDocument(const wxString& path, std::initializer_list<const char*> functions) {
  quillmap::SpecStore store;
  for (const char* name : functions) store.AddFunction(quillmap::text::Sjis(name));
  quillmap::SaveStoreToPath(store, path.utf8_string());
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // The editor finds its page module beside its own program; this one is elsewhere.
  setenv("QUILLMAP_PAGE_MODULE", QUILLMAP_PAGE_MODULE_PATH, 0);
  wxSetAssertHandler(FailOnAssert);
  if (!wxEntryStart(argc, argv)) {
    fprintf(stderr, "wx could not start: is there a display?\n");
    return 1;
  }
  // A test's log messages go to stderr: a log window would wait, modal, for nobody to close it.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  // wxYield and CallAfter want an event loop that counts as running.
  wxEventLoop loop;
  wxEventLoopActivator activate(&loop);
  UnexpectedDialogHook hook;
  hook.Register();
  const int result = RUN_ALL_TESTS();
  hook.Unregister();
  wxEntryCleanup();
  return result;
}
