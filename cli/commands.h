#pragma once
// The subcommands of quillmap-cli. Each returns the exit status: 0 done, 1 failed (a message on
// stderr), 2 wrong usage (the usage text on stderr).

#include <string_view>

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int Usage();         // prints the usage text to stderr, returns kExitUsage
int PrintHelp();     // --help: prints the usage text to stdout
int PrintVersion();  // --version: prints the program's name and version to stdout

using CommandRun = int (*)(int argc, char** argv);
// The subcommand called name; nullptr when there is none.
CommandRun FindCommand(std::string_view name);

int RunNew(int argc, char** argv);     // new FILE.dcm
int RunResave(int argc, char** argv);  // resave IN.dcm OUT.dcm
int RunDump(int argc, char** argv);    // dump FILE.dcm
int RunParse(int argc, char** argv);   // parse 'PROTOTYPE'
int RunAdd(int argc, char** argv);     // add FILE.dcm 'PROTOTYPE' ...
int RunExport(int argc, char** argv);  // export FILE.dcm OUT.htm [--attributes LIST]
int RunClip(int argc, char** argv);    // clip FILE.dcm NAME [--flags N] [--sjis]
int RunImport(int argc, char** argv);  // import DOC.dcm FILE.h... [--dry-run] [-- COMPILER-ARGS]
int RunCheck(int argc, char** argv);   // check DOC.dcm FILE.h... [-- COMPILER-ARGS]
// annotate DOC.dcm FILE.c... [--declarations] [--dry-run] [--flags N] [--encoding E] [-- ARGS]
int RunAnnotate(int argc, char** argv);
// find DOC.dcm TEXT [--names]: 0 found, 1 nothing found, 2 wrong usage or a failure (as grep)
int RunFind(int argc, char** argv);

}  // namespace cli
