#pragma once
// The editor's command line: what to do at start-up.
//
//   quillmap                         start with an empty main window
//   quillmap FILE...                 open every FILE, in order
//   quillmap /p FILE                 print FILE on the default printer, then end
//   quillmap /pt FILE PRINTER [DRIVER [PORT]]
//                                    print FILE on PRINTER, then end
//
// The switches may stand before or after the file, in either case, and with "-" instead of "/".
// On this desktop a path may begin with "/", so "/" introduces a switch only when the whole
// argument is one ("/p", "/pt"); any other argument beginning with "-" is an unknown switch.
// "--" ends the switches. The driver and port of "/pt" are taken and not needed: a printer is
// named by its name alone.

#include <string>
#include <vector>

namespace quillmap {

struct ShellCommand {
  enum class Kind {
    kNothing,  // no file: the main window only
    kOpen,     // open `files` (`file` is the first of them)
    kPrint,    // print `file` on the default printer
    kPrintTo,  // print `file` on `printer`
    kHelp,     // "-h", "--help": say how to start the program
    kBad,      // the command line makes no sense: say how to start the program, and end
  };
  Kind kind = Kind::kNothing;
  std::string file;
  std::vector<std::string> files;
  std::string printer;
  std::string driver;
  std::string port;
};

// Reads the arguments after the program's name.
ShellCommand ParseShellCommand(const std::vector<std::string>& args);

}  // namespace quillmap
