#pragma once
// IniProfile: a Profile kept in a text file of "[section]" headers and "entry=value" lines, the
// layout the editor's configuration file has, so the command line and the editor share one
// setting.

#include <string>
#include <string_view>

#include "core/output/profile.h"

namespace quillmap {

class IniProfile : public Profile {
 public:
  explicit IniProfile(std::string path) : path_(std::move(path)) {}

  // The editor's profile file: $XDG_CONFIG_HOME/Quillmap.conf, by default
  // ~/.config/Quillmap.conf. Empty when no home folder can be found.
  static std::string DefaultPath();

  const std::string& Path() const { return path_; }

  // Reads the file on every call; a missing or unreadable file holds no entries.
  int GetInt(std::string_view section, std::string_view entry, int default_value) const override;
  // Rewrites the file with the entry set, keeping every other line; creates the file and its
  // folder when missing. False when the file can't be written.
  bool SetInt(std::string_view section, std::string_view entry, int value) override;

 private:
  std::string path_;
};

}  // namespace quillmap
