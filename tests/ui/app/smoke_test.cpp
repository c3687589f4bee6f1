// Starts the built editor on the display with a specification document and with an HTML page,
// and checks that its main window comes up with the document's title in its caption.

#include <cstdio>
#include <string>

#include <wx/process.h>
#include <wx/utils.h>

#include "tests/ui/app/wx_test_env.h"

namespace {

// Names of the top-level windows on the display, as xwininfo lists them.
std::string WindowTree() {
  std::string out;
  if (FILE* pipe = popen("xwininfo -root -tree 2>/dev/null", "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// Runs the editor on a file until a window with the caption shows up (true) or it gives up.
bool EditorShowsWindow(const wxString& file, const std::string& caption) {
  const wxString editor = wxS(QUILLMAP_EDITOR);
  const char* argv[] = {QUILLMAP_EDITOR, nullptr, nullptr};
  const std::string file_utf8 = file.utf8_string();
  argv[1] = file_utf8.c_str();
  const long pid = wxExecute(argv, wxEXEC_ASYNC | wxEXEC_MAKE_GROUP_LEADER);
  if (pid <= 0) return false;
  const bool shown = PumpUntil(
      [&] { return WindowTree().find(caption) != std::string::npos || !wxProcess::Exists(pid); },
      30000);
  const bool running = wxProcess::Exists(pid);
  const bool found = shown && WindowTree().find(caption) != std::string::npos;
  if (running) wxKill(pid, wxSIGTERM, nullptr, wxKILL_CHILDREN);
  PumpUntil([&] { return !wxProcess::Exists(pid); }, 5000);
  return found && running;
}

TEST(Smoke, EditorComesUpWithSpecificationDocument) {
  TempDir dir;
  const wxString path = dir.Path(wxS("smoke.dcm"));
  WriteSpecDocument(path, {"SmokeOne", "SmokeTwo"});
  EXPECT_TRUE(EditorShowsWindow(path, "Quillmap Ver.0.0.5.0 - smoke.dcm"));
}

TEST(Smoke, EditorComesUpWithHtmlPage) {
  TempDir dir;
  const wxString path = dir.Path(wxS("smoke.htm"));
  WriteBytes(path, "<html><body>smoke</body></html>");
  EXPECT_TRUE(EditorShowsWindow(path, "Quillmap Ver.0.0.5.0 - smoke.htm"));
}

}  // namespace
