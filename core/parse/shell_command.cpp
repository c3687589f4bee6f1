#include "core/parse/shell_command.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

namespace quillmap {
namespace {

enum class Switch { kNone, kPrint, kPrintTo, kHelp, kUnknown };

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

Switch SwitchOf(std::string_view arg) {
  if (arg.size() < 2 || (arg.front() != '/' && arg.front() != '-')) return Switch::kNone;
  const std::string name = Lower(arg.substr(1));
  if (name == "p") return Switch::kPrint;
  if (name == "pt") return Switch::kPrintTo;
  if (arg.front() == '/') return Switch::kNone;  // a path
  if (name == "h" || name == "-help") return Switch::kHelp;
  return Switch::kUnknown;
}

}  // namespace

ShellCommand ParseShellCommand(const std::vector<std::string>& args) {
  ShellCommand command;
  Switch print = Switch::kNone;
  std::vector<std::string> names;
  bool switches_end = false;
  for (const std::string& arg : args) {
    const Switch kind = switches_end ? Switch::kNone : SwitchOf(arg);
    if (!switches_end && arg == "--") {
      switches_end = true;
      continue;
    }
    switch (kind) {
      case Switch::kNone:
        names.push_back(arg);
        break;
      case Switch::kPrint:
      case Switch::kPrintTo:
        print = kind;  // the last one counts
        break;
      case Switch::kHelp:
        command.kind = ShellCommand::Kind::kHelp;
        return command;
      case Switch::kUnknown:
        command.kind = ShellCommand::Kind::kBad;
        return command;
    }
  }

  // Files to open (a file manager hands over every file the user chose), or the one file to
  // print, then for "/pt" the printer, its driver and its port; nothing more.
  const std::size_t most = print == Switch::kPrintTo ? 4
                           : print == Switch::kPrint ? 1
                                                     : names.size();
  if (names.size() > most || (print != Switch::kNone && names.empty()) ||
      (print == Switch::kPrintTo && names.size() < 2) ||
      std::any_of(names.begin(), names.end(), [](const std::string& n) { return n.empty(); })) {
    command.kind = ShellCommand::Kind::kBad;
    return command;
  }
  if (names.empty()) return command;
  command.file = names[0];
  switch (print) {
    case Switch::kPrint:
      command.kind = ShellCommand::Kind::kPrint;
      break;
    case Switch::kPrintTo:
      command.kind = ShellCommand::Kind::kPrintTo;
      command.printer = names[1];
      if (names.size() > 2) command.driver = names[2];
      if (names.size() > 3) command.port = names[3];
      break;
    default:
      command.kind = ShellCommand::Kind::kOpen;
      command.files = std::move(names);
      break;
  }
  return command;
}

}  // namespace quillmap
