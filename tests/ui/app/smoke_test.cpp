// Starts the built editor with a function document and with an HTML page, each on a virtual
// display of its own (so that no other test's windows or input meet it), and checks that its main
// window comes up with the document's title in its caption, then ends it.

#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include "tests/ui/app/wx_test_env.h"

namespace {

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Exit status of the probe: 0 the window came up, 1 it did not within the polls (0.2 s each),
// 2 the editor ended.
int RunEditorProbe(const wxString& file, const std::string& caption, int polls = 150) {
  static const char kProbe[] =
      "\"$1\" \"$2\" & pid=$!; i=0; "
      "while [ $i -lt \"$4\" ]; do "
      "  if xwininfo -root -tree | grep -F -q -- \"$3\"; then kill $pid; exit 0; fi; "
      "  if ! kill -0 $pid 2>/dev/null; then exit 2; fi; "
      "  sleep 0.2; i=$((i+1)); "
      "done; kill $pid; exit 1";
  const std::string command = "xvfb-run -a -s '-screen 0 1280x1024x24' sh -c " +
                              ShellQuote(kProbe) + " probe " + ShellQuote(QUILLMAP_EDITOR) + " " +
                              ShellQuote(file.utf8_string()) + " " + ShellQuote(caption) + " " +
                              std::to_string(polls) + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Smoke, EditorComesUpWithFunctionDocument) {
  TempDir dir;
  const wxString path = dir.Path(wxS("smoke.dcm"));
  WriteSpecDocument(path, {"SmokeOne", "SmokeTwo"});
  EXPECT_EQ(RunEditorProbe(path, "Quillmap Ver.0.0.5.0 - smoke.dcm"), 0);
}

TEST(Smoke, EditorComesUpWithHtmlPage) {
  TempDir dir;
  const wxString path = dir.Path(wxS("smoke.htm"));
  WriteBytes(path, "<html><body>smoke</body></html>");
  EXPECT_EQ(RunEditorProbe(path, "Quillmap Ver.0.0.5.0 - smoke.htm"), 0);
}

TEST(Smoke, ProbeFailsWhenTheWindowNeverComesUp) {
  // The same probe on a caption that never shows must not pass.
  TempDir dir;
  const wxString path = dir.Path(wxS("other.htm"));
  WriteBytes(path, "<html><body>other</body></html>");
  EXPECT_EQ(RunEditorProbe(path, "Quillmap Ver.0.0.5.0 - missing.htm", 15), 1);
}

}  // namespace
