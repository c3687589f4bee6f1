// Placeholder until the command is written; it only reports wrong usage.
#include "cli/commands.h"
namespace cli {
int RunParse(int, char**) { return Usage(); }
}  // namespace cli
