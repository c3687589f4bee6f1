// The editor's entry point: everything else lives in the quillmap-ui library. --help and
// --version are answered here, before wxWidgets starts GTK, so that they work without a display.
#include <cstdio>
#include <string_view>

#include "ui/app/spec_app.h"

namespace {

constexpr char kVersion[] = "quillmap (Quillmap) " QUILLMAP_VERSION "\n";

int PrintToStdout(const char* text) {
  return std::fputs(text, stdout) != EOF && std::fflush(stdout) == 0 ? 0 : 1;
}

// The exit status when the command line asks for the help or the version; -1 otherwise. Options
// end at "--", so "quillmap -- --help" opens a file of that name.
int AnswerInfoOption(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") return PrintToStdout(kCommandLineHelp);
    if (arg == "--version") return PrintToStdout(kVersion);
  }
  return -1;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(CSpecApp);

int main(int argc, char** argv) {
  if (const int status = AnswerInfoOption(argc, argv); status >= 0) return status;
  wxDISABLE_DEBUG_SUPPORT();
  return wxEntry(argc, argv);
}
