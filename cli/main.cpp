// quillmap-cli: the core's jobs from the command line. Texts given on the command line are UTF-8
// and are converted to Shift-JIS; texts printed are UTF-8.
#include <string_view>

#include "cli/commands.h"

int main(int argc, char** argv) {
  // --help anywhere wins, so that "quillmap-cli new --help" explains instead of writing a
  // document called "--help"; only what follows "--" goes to the compiler as it is.
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") return cli::PrintHelp();
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") return cli::PrintVersion();
  if (argc >= 2) {
    if (const cli::CommandRun run = cli::FindCommand(argv[1])) return run(argc - 1, argv + 1);
  }
  return cli::Usage();
}
