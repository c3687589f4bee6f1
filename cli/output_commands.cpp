// Placeholder until the command is written; it only reports wrong usage.
#include "cli/commands.h"
namespace cli {
int RunAdd(int, char**) { return Usage(); }
int RunExport(int, char**) { return Usage(); }
int RunClip(int, char**) { return Usage(); }
}  // namespace cli
