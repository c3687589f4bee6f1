// Placeholder until the command is written; it only reports wrong usage.
#include "cli/commands.h"
namespace cli {
int RunNew(int, char**) { return Usage(); }
int RunResave(int, char**) { return Usage(); }
int RunDump(int, char**) { return Usage(); }
int Usage() { return kExitUsage; }
}  // namespace cli
