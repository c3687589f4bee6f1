// quillmap-cli: the core's jobs from the command line. Texts given on the command line are UTF-8
// and are converted to Shift-JIS; texts printed are UTF-8.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "cli/commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);  // argv[0] is the command name
};

const Command kCommands[] = {
    {"new", cli::RunNew},     {"resave", cli::RunResave}, {"dump", cli::RunDump},
    {"parse", cli::RunParse}, {"add", cli::RunAdd},       {"export", cli::RunExport},
    {"clip", cli::RunClip},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2) {
    for (const Command& command : kCommands) {
      if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 1, argv + 1);
    }
  }
  return cli::Usage();
}
