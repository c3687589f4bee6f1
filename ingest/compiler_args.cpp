#include "ingest/compiler_args.h"

#include <algorithm>

namespace quillmap::ingest {

namespace {

// -Wl, -Wa and -Wp hand options to the linker, assembler and preprocessor: no warning option.
bool IsWarningOption(const std::string& arg) {
  return arg.starts_with("-W") && !arg.starts_with("-Wl,") && !arg.starts_with("-Wa,") &&
         !arg.starts_with("-Wp,");
}

}  // namespace

std::vector<std::string> ReaderCompilerArgs(const std::vector<std::string>& user_args) {
  std::vector<std::string> args;
  const bool names_language = std::any_of(user_args.begin(), user_args.end(), [](const auto& arg) {
    return arg.starts_with("-x") || arg.starts_with("--language");
  });
  if (!names_language) args.push_back("-xc");
  if (std::none_of(user_args.begin(), user_args.end(), IsWarningOption)) args.push_back("-w");
  args.insert(args.end(), user_args.begin(), user_args.end());
  return args;
}

}  // namespace quillmap::ingest
