// quillmap-cli --help and --version, and the manual page that repeats the help's command lines.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"

namespace {

using cli_test::RunCli;

// Every command of quillmap-cli with its arguments and options, as the help shows them.
const char* const kCommandLines[] = {
    "new FILE.dcm",
    "resave IN.dcm OUT.dcm",
    "dump FILE.dcm",
    "parse 'PROTOTYPE'",
    "add FILE.dcm 'PROTOTYPE' ...",
    "export FILE.dcm OUT.htm [--attributes LIST]",
    "clip FILE.dcm NAME [--flags N] [--sjis]",
    "import DOC.dcm FILE.h... [--dry-run] [-- COMPILER-ARGS]",
    "check DOC.dcm FILE.h... [-- COMPILER-ARGS]",
    "annotate DOC.dcm FILE.c... [--declarations] [--dry-run] [--flags N] [--encoding "
    "auto|sjis|utf-8] [-- COMPILER-ARGS]",
    "find DOC.dcm TEXT [--names]",
};

// The command lines of the help: its rows "  COMMAND ARGUMENTS   summary" that name no option.
// A long command line has its summary on the next row, indented further.
std::vector<std::string> HelpCommandLines(const std::string& help) {
  std::vector<std::string> lines;
  std::istringstream in(help);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.starts_with("  ") || line.starts_with("  -") || line.starts_with("   ")) continue;
    lines.push_back(line.substr(2, line.find("   ", 2) - 2));
  }
  return lines;
}

// The manual page's text without roff's font changes and escapes.
std::string ManPageText(const char* name) {
  std::ifstream in(std::string(QUILLMAP_SOURCE_DIR) + "/data/man/" + name);
  std::ostringstream raw;
  raw << in.rdbuf();
  std::string text;
  const std::string source = raw.str();
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source.compare(i, 2, "\\f") == 0 && i + 2 < source.size()) {
      i += 2;  // \fB, \fI, \fR, \fP
    } else if (source.compare(i, 2, "\\-") == 0) {
      text += '-';
      ++i;
    } else if (source.compare(i, 4, "\\(aq") == 0) {
      text += '\'';
      i += 3;
    } else {
      text += source[i];
    }
  }
  return text;
}

TEST(Usage, HelpListsEveryCommandOnStdout) {
  for (const char* option : {"--help", "-h"}) {
    const auto result = RunCli({option});
    EXPECT_EQ(result.status, 0) << option;
    EXPECT_EQ(result.err, "") << option;
    EXPECT_TRUE(result.out.starts_with("usage: quillmap-cli COMMAND ARGUMENTS\n")) << result.out;
    for (const char* line : kCommandLines) {
      const std::size_t at = result.out.find(std::string("\n  ") + line);
      ASSERT_NE(at, std::string::npos) << line;
      const char after = result.out[at + 3 + std::strlen(line)];
      EXPECT_TRUE(after == ' ' || after == '\n') << line;
    }
    EXPECT_NE(result.out.find("--version"), std::string::npos);
  }
}

TEST(Usage, HelpAfterACommandExplainsInsteadOfRunningIt) {
  // "new --help" once wrote a document called "--help".
  const std::filesystem::path stray = "--help";
  std::filesystem::remove(stray);
  const auto result = RunCli({"new", "--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("new FILE.dcm"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(stray));
  EXPECT_EQ(RunCli({"export", "in.dcm", "out.htm", "-h"}).status, 0);
  EXPECT_FALSE(std::filesystem::exists("out.htm"));
}

TEST(Usage, WrongUsageStillGoesToStderrWithStatusTwo) {
  const auto result = RunCli({"frobnicate"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, RunCli({"--help"}).out);
}

TEST(Usage, VersionIsTheProjectVersion) {
  const auto result = RunCli({"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "quillmap-cli (Quillmap) " QUILLMAP_VERSION "\n");
  EXPECT_EQ(result.err, "");
  // Only on its own: anything after it is wrong usage.
  EXPECT_EQ(RunCli({"--version", "extra"}).status, 2);
}

TEST(Usage, ManualPageSaysWhatTheHelpSays) {
  const std::vector<std::string> lines = HelpCommandLines(RunCli({"--help"}).out);
  ASSERT_EQ(lines.size(), std::size(kCommandLines));
  const std::string page = ManPageText("quillmap-cli.1.in");
  ASSERT_NE(page, "");
  for (const std::string& line : lines) {
    EXPECT_NE(page.find(".B " + line + "\n"), std::string::npos)
        << "data/man/quillmap-cli.1.in has no entry '" << line << "'";
  }
  for (const char* option : {".BR -h \", \" --help", ".B --version"}) {
    EXPECT_NE(page.find(option), std::string::npos) << option;
  }
}

}  // namespace
