// The clipboard settings word and the file-backed profile.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/output/ini_profile.h"
#include "core/output/profile.h"

namespace quillmap {
namespace {

class TempDir {
 public:
  TempDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("quillmap-profile-" + std::to_string(getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  static inline int counter_ = 0;
  std::filesystem::path path_;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteAll(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

TEST(ClipboardSpecSettingsTest, NoProfile) {
  EXPECT_EQ(LoadClipboardSpecSettings(nullptr), 0);
  EXPECT_FALSE(SaveClipboardSpecSettings(nullptr, 6));
}

TEST(ClipboardSpecSettingsTest, MissingEntryIsMinusOneAndSavedValueReadsBack) {
  TempDir dir;
  IniProfile profile(dir.File("Quillmap.conf"));
  EXPECT_EQ(LoadClipboardSpecSettings(&profile), -1);
  ASSERT_TRUE(SaveClipboardSpecSettings(&profile, clip_flag::kArguments | clip_flag::kNote));
  EXPECT_EQ(ReadAll(profile.Path()), "[ToClipFcunSpec]\nFuncSpec=18\n");
  EXPECT_EQ(LoadClipboardSpecSettings(&profile), 0x12);
  ASSERT_TRUE(SaveClipboardSpecSettings(&profile, -1));
  EXPECT_EQ(ReadAll(profile.Path()), "[ToClipFcunSpec]\nFuncSpec=-1\n");
}

TEST(IniProfileTest, ReadsTheEditorsFileLayout) {
  TempDir dir;
  const std::string path = dir.File("Quillmap.conf");
  WriteAll(path,
           "FuncSpec=1\n"
           "[Recent File List]\n"
           "File1=/tmp/a.dcm\n"
           "; a comment\n"
           "[ToClipFcunSpec]\r\n"
           "  Other = 3\n"
           "  FuncSpec = 12 \r\n"
           "[Settings]\n"
           "FuncSpec=4\n");
  IniProfile profile(path);
  EXPECT_EQ(profile.GetInt("ToClipFcunSpec", "FuncSpec", -1), 12);
  EXPECT_EQ(profile.GetInt("ToClipFcunSpec", "Other", -1), 3);
  EXPECT_EQ(profile.GetInt("Settings", "FuncSpec", -1), 4);
  EXPECT_EQ(profile.GetInt("ToClipFcunSpec", "Missing", 7), 7);
  EXPECT_EQ(profile.GetInt("Nowhere", "FuncSpec", 7), 7);
}

TEST(IniProfileTest, ValueThatIsNoIntegerGivesTheDefault) {
  TempDir dir;
  const std::string path = dir.File("Quillmap.conf");
  IniProfile profile(path);
  for (const char* value : {"abc", "12x", "", "99999999999"}) {
    WriteAll(path, std::string("[S]\nE=") + value + "\n");
    EXPECT_EQ(profile.GetInt("S", "E", -5), -5) << value;
  }
  WriteAll(path, "[S]\nE=\"30\"\n");
  EXPECT_EQ(profile.GetInt("S", "E", -5), 30);
}

TEST(IniProfileTest, SetKeepsOtherLines) {
  TempDir dir;
  const std::string path = dir.File("Quillmap.conf");
  WriteAll(path,
           "[Recent File List]\nFile1=/tmp/a.dcm\n\n"
           "[ToClipFcunSpec]\nFuncSpec=2\nOther=1\n\n"
           "[Settings]\nX=1\n");
  IniProfile profile(path);
  ASSERT_TRUE(profile.SetInt("ToClipFcunSpec", "FuncSpec", 30));
  ASSERT_TRUE(profile.SetInt("Settings", "Y", 5));
  ASSERT_TRUE(profile.SetInt("ToClipFcunSpec", "New", -2));
  EXPECT_EQ(ReadAll(path),
            "[Recent File List]\nFile1=/tmp/a.dcm\n\n"
            "[ToClipFcunSpec]\nFuncSpec=30\nOther=1\nNew=-2\n\n"
            "[Settings]\nX=1\nY=5\n");
}

TEST(IniProfileTest, SetIntoASectionWithoutEntriesLandsInThatSection) {
  TempDir dir;
  const std::string path = dir.File("Quillmap.conf");
  IniProfile profile(path);
  // Followed straight by another section.
  WriteAll(path, "[ToClipFcunSpec]\n[Settings]\nPreviewPages=0\n");
  ASSERT_TRUE(profile.SetInt("ToClipFcunSpec", "FuncSpec", 7));
  EXPECT_EQ(ReadAll(path), "[ToClipFcunSpec]\nFuncSpec=7\n[Settings]\nPreviewPages=0\n");
  EXPECT_EQ(profile.GetInt("ToClipFcunSpec", "FuncSpec", -1), 7);
  EXPECT_EQ(profile.GetInt("Settings", "FuncSpec", -1), -1);

  // Followed by a comment line and a blank line: the entry goes right under the header.
  WriteAll(path, "[ToClipFcunSpec]\n; flags of the clipboard text\n\n[Settings]\nX=1\n");
  ASSERT_TRUE(profile.SetInt("ToClipFcunSpec", "FuncSpec", -3));
  EXPECT_EQ(ReadAll(path),
            "[ToClipFcunSpec]\nFuncSpec=-3\n; flags of the clipboard text\n\n[Settings]\nX=1\n");
  EXPECT_EQ(profile.GetInt("ToClipFcunSpec", "FuncSpec", -1), -3);

  // The last section of the file, without a line feed after its header.
  WriteAll(path, "[Settings]\nX=1\n[ToClipFcunSpec]");
  ASSERT_TRUE(profile.SetInt("ToClipFcunSpec", "FuncSpec", 12));
  EXPECT_EQ(ReadAll(path), "[Settings]\nX=1\n[ToClipFcunSpec]\nFuncSpec=12\n");
  EXPECT_EQ(profile.GetInt("ToClipFcunSpec", "FuncSpec", -1), 12);
  EXPECT_EQ(profile.GetInt("Settings", "X", -1), 1);
}

TEST(IniProfileTest, SetCreatesFolderAndFailsOnUnwritablePath) {
  TempDir dir;
  IniProfile nested(dir.File("a/b/Quillmap.conf"));
  ASSERT_TRUE(nested.SetInt("S", "E", 1));
  EXPECT_EQ(nested.GetInt("S", "E", 0), 1);

  WriteAll(dir.File("plain"), "x");
  IniProfile blocked(dir.File("plain/Quillmap.conf"));  // a file stands where the folder should
  EXPECT_FALSE(blocked.SetInt("S", "E", 1));
  EXPECT_EQ(blocked.GetInt("S", "E", 9), 9);
}

TEST(IniProfileTest, DefaultPathFollowsXdgConfigHome) {
  const char* old_config = std::getenv("XDG_CONFIG_HOME");
  const char* old_home = std::getenv("HOME");
  const std::string saved_config = old_config ? old_config : "";
  const std::string saved_home = old_home ? old_home : "";

  setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  EXPECT_EQ(IniProfile::DefaultPath(), "/tmp/cfg/Quillmap.conf");
  setenv("XDG_CONFIG_HOME", "", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(IniProfile::DefaultPath(), "/home/someone/.config/Quillmap.conf");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(IniProfile::DefaultPath(), "/home/someone/.config/Quillmap.conf");

  if (old_config) setenv("XDG_CONFIG_HOME", saved_config.c_str(), 1);
  if (old_home) setenv("HOME", saved_home.c_str(), 1);
}

}  // namespace
}  // namespace quillmap
