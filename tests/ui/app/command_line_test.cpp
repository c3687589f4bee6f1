// quillmap --help and --version: printed on stdout, status 0, and without a display, since they
// are answered before GTK starts.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include <sys/wait.h>

namespace {

struct EditorRun {
  int status = -1;
  std::string out;
};

// Runs the built editor with one option, with no display to connect to; stderr is dropped.
EditorRun RunEditorWithoutDisplay(const char* option) {
  const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY '") + QUILLMAP_EDITOR +
                              "' " + option + " 2>/dev/null";
  EditorRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(EditorCommandLine, HelpNeedsNoDisplay) {
  for (const char* option : {"--help", "-h"}) {
    const EditorRun run = RunEditorWithoutDisplay(option);
    EXPECT_EQ(run.status, 0) << option;
    EXPECT_TRUE(run.out.starts_with("usage: quillmap [FILE...]\n")) << run.out;
    EXPECT_NE(run.out.find("--version"), std::string::npos) << run.out;
  }
}

TEST(EditorCommandLine, VersionNeedsNoDisplay) {
  const EditorRun run = RunEditorWithoutDisplay("--version");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "quillmap (Quillmap) " QUILLMAP_VERSION "\n");
}

TEST(EditorCommandLine, WithoutDisplayAnythingElseFails) {
  // The check above can only pass because the options are answered early: a start that needs
  // the display ends with a failure here.
  const EditorRun run = RunEditorWithoutDisplay("--");
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.out, "");
}

TEST(EditorStartup, LinksNoPageEngine) {
  // The page engine is loaded from its module when a page opens; linked, it would cost every
  // start more than everything else together.
  const std::string command = std::string("readelf -d '") + QUILLMAP_EDITOR + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string needed;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    if (std::string_view(line).find("(NEEDED)") != std::string_view::npos) needed += line;
  }
  ASSERT_EQ(pclose(pipe), 0);
  ASSERT_NE(needed.find("libwx_gtk3u_core"), std::string::npos) << needed;
  for (const char* engine : {"webview", "webkit", "javascriptcore"}) {
    EXPECT_EQ(needed.find(engine), std::string::npos) << engine << " in\n" << needed;
  }
}

}  // namespace
