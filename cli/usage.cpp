// The table of subcommands and the texts that describe them: the usage text (wrong usage, on
// stderr), the help (--help, on stdout) and the version (--version). The help is made from the
// table, so a command added there is listed with its arguments; the manual page
// (data/man/quillmap-cli.1) repeats these lines, and a test holds the two together.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/commands.h"

namespace cli {

namespace {

struct Command {
  const char* name;
  const char* arguments;
  const char* summary;
  CommandRun run;  // argv[0] is the command name
};

constexpr Command kCommands[] = {
    {"new", "FILE.dcm", "write a new, empty document", RunNew},
    {"resave", "IN.dcm OUT.dcm", "load a document and save it again", RunResave},
    {"dump", "FILE.dcm", "print the document's trees as JSON", RunDump},
    {"parse", "'PROTOTYPE'", "show how a C prototype is split", RunParse},
    {"add", "FILE.dcm 'PROTOTYPE' ...", "add functions from prototypes", RunAdd},
    {"export", "FILE.dcm OUT.htm [--attributes LIST]", "write the HTML reference page", RunExport},
    {"clip", "FILE.dcm NAME [--flags N] [--sjis]", "print a function's comment block", RunClip},
    {"import", "DOC.dcm FILE.h... [--dry-run] [-- COMPILER-ARGS]",
     "add the functions and structures of C files", RunImport},
    {"check", "DOC.dcm FILE.h... [-- COMPILER-ARGS]", "compare a document with C files", RunCheck},
    {"annotate",
     "DOC.dcm FILE.c... [--declarations] [--dry-run] [--flags N] [--encoding auto|sjis|utf-8] "
     "[-- COMPILER-ARGS]",
     "write each function's comment block above its definition", RunAnnotate},
    {"find", "DOC.dcm TEXT [--names]", "print the lines of the texts that hold TEXT", RunFind},
};

// Width of the first column; a longer "name arguments" has its summary on the next line.
constexpr std::size_t kColumn = 46;

void AppendRow(std::string_view left, std::string_view right, std::string& text) {
  text += "  ";
  text += left;
  if (left.size() < kColumn) {
    text.append(kColumn - left.size(), ' ');
  } else {
    text += '\n';
    text.append(kColumn + 2, ' ');
  }
  text += right;
  text += '\n';
}

std::string UsageText() {
  std::string text = "usage: quillmap-cli COMMAND ARGUMENTS\n";
  for (const Command& command : kCommands) {
    std::string left = command.name;
    left += ' ';
    left += command.arguments;
    AppendRow(left, command.summary, text);
  }
  AppendRow("-h, --help", "print this help and exit", text);
  AppendRow("--version", "print the version and exit", text);
  text +=
      "Texts on the command line are UTF-8; documents hold Shift-JIS.\n"
      "Exit status: 0 done, 1 failed (a message on stderr), 2 wrong usage;\n"
      "find: 0 found, 1 nothing found, 2 wrong usage or a failure.\n";
  return text;
}

int PrintToStdout(const std::string& text) {
  if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) return kExitFailure;
  return kExitOk;
}

}  // namespace

CommandRun FindCommand(std::string_view name) {
  for (const Command& command : kCommands) {
    if (name == command.name) return command.run;
  }
  return nullptr;
}

int Usage() {
  std::fputs(UsageText().c_str(), stderr);
  return kExitUsage;
}

int PrintHelp() {
  return PrintToStdout(UsageText());
}

int PrintVersion() {
  return PrintToStdout("quillmap-cli (Quillmap) " QUILLMAP_VERSION "\n");
}

}  // namespace cli
