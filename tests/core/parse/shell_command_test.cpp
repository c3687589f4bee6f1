// The editor's command line: open, print, print to a printer, and what makes no sense.

#include <gtest/gtest.h>

#include "core/parse/shell_command.h"

namespace {

using quillmap::ParseShellCommand;
using quillmap::ShellCommand;
using Kind = quillmap::ShellCommand::Kind;

TEST(ShellCommand, NothingOrFilesToOpen) {
  EXPECT_EQ(ParseShellCommand({}).kind, Kind::kNothing);
  const ShellCommand open = ParseShellCommand({"/home/me/spec.dcm"});
  EXPECT_EQ(open.kind, Kind::kOpen);
  EXPECT_EQ(open.file, "/home/me/spec.dcm");
  EXPECT_EQ(open.files, std::vector<std::string>{"/home/me/spec.dcm"});
  // Several files, as a file manager passes them, are opened in their order.
  const ShellCommand several = ParseShellCommand({"b.dcm", "a.htm", "--", "-c.dcm"});
  EXPECT_EQ(several.kind, Kind::kOpen);
  EXPECT_EQ(several.file, "b.dcm");
  EXPECT_EQ(several.files, (std::vector<std::string>{"b.dcm", "a.htm", "-c.dcm"}));
  // A path that merely begins like a switch is a path.
  EXPECT_EQ(ParseShellCommand({"/pt.dcm"}).file, "/pt.dcm");
  EXPECT_EQ(ParseShellCommand({"/p/spec.dcm"}).kind, Kind::kOpen);
  // After "--" nothing is a switch.
  const ShellCommand dashed = ParseShellCommand({"--", "-p"});
  EXPECT_EQ(dashed.kind, Kind::kOpen);
  EXPECT_EQ(dashed.file, "-p");
}

TEST(ShellCommand, PrintSwitchesInEveryForm) {
  for (const char* flag : {"/p", "-p", "/P", "-P"}) {
    for (bool before : {true, false}) {
      const ShellCommand command =
          before ? ParseShellCommand({flag, "a.dcm"}) : ParseShellCommand({"a.dcm", flag});
      EXPECT_EQ(command.kind, Kind::kPrint) << flag;
      EXPECT_EQ(command.file, "a.dcm") << flag;
      EXPECT_EQ(command.printer, "") << flag;
    }
  }
  for (const char* flag : {"/pt", "-pt", "/PT", "-Pt"}) {
    const ShellCommand command = ParseShellCommand({flag, "a.dcm", "Office Laser", "drv", "port"});
    EXPECT_EQ(command.kind, Kind::kPrintTo) << flag;
    EXPECT_EQ(command.file, "a.dcm");
    EXPECT_EQ(command.printer, "Office Laser");
    EXPECT_EQ(command.driver, "drv");
    EXPECT_EQ(command.port, "port");
  }
  const ShellCommand short_form = ParseShellCommand({"a.dcm", "/pt", "Laser"});
  EXPECT_EQ(short_form.kind, Kind::kPrintTo);
  EXPECT_EQ(short_form.printer, "Laser");
  EXPECT_EQ(short_form.driver, "");
  // The last print switch counts.
  EXPECT_EQ(ParseShellCommand({"/pt", "/p", "a.dcm"}).kind, Kind::kPrint);
}

TEST(ShellCommand, HelpAndWhatMakesNoSense) {
  EXPECT_EQ(ParseShellCommand({"-h"}).kind, Kind::kHelp);
  EXPECT_EQ(ParseShellCommand({"a.dcm", "--help"}).kind, Kind::kHelp);
  const std::vector<std::vector<std::string>> bad = {
      {"/p", "a.dcm", "b.dcm"},                       // print one file at a time
      {"a.dcm", "", "b.dcm"},                         // an empty file name among others
      {"/p"},                                         // print what?
      {"-p", "a.dcm", "Laser"},                       // /p names no printer
      {"/pt", "a.dcm"},                               // print to which printer?
      {"/pt", "a.dcm", "Laser", "drv", "port", "x"},  // too many names
      {"--verbose", "a.dcm"},                         // unknown switch
      {"-x"},
      {""},  // an empty file name
  };
  for (const auto& args : bad) {
    EXPECT_EQ(ParseShellCommand(args).kind, Kind::kBad) << ::testing::PrintToString(args);
  }
}

}  // namespace
