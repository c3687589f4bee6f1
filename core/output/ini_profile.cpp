#include "core/output/ini_profile.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "core/model/file.h"

namespace quillmap {
namespace {

std::string_view Trim(std::string_view text) {
  const std::string_view blanks = " \t\r";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

// One line of the file, classified.
struct Line {
  std::string text;  // as read, without the line feed
  bool is_section = false;
  std::string section;  // for a "[section]" line: the name
  std::string key;      // for an "entry=value" line: the entry and its value
  std::string value;
};

Line Classify(std::string text) {
  Line line;
  line.text = std::move(text);
  const std::string_view body = Trim(line.text);
  std::string_view value;
  if (body.empty() || body.front() == ';' || body.front() == '#') return line;
  if (body.front() == '[') {
    const std::size_t close = body.find(']');
    if (close != std::string_view::npos) {
      line.is_section = true;
      line.section = Trim(body.substr(1, close - 1));
    }
    return line;
  }
  const std::size_t equals = body.find('=');
  if (equals == std::string_view::npos) return line;
  line.key = Trim(body.substr(0, equals));
  value = Trim(body.substr(equals + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  line.value = value;
  return line;
}

// Lines of the file; empty when it can't be read.
std::vector<Line> ReadLines(const std::string& path) {
  std::vector<Line> lines;
  std::ifstream in(path, std::ios::binary);
  std::string text;
  while (in && std::getline(in, text)) lines.push_back(Classify(std::move(text)));
  return lines;
}

std::optional<int> ParseInt(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const std::string digits(text);
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(digits.c_str(), &end, 10);
  if (errno != 0 || end != digits.c_str() + digits.size()) return std::nullopt;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::string IniProfile::DefaultPath() {
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  if (config_home != nullptr && config_home[0] == '/') {
    return std::string(config_home) + "/Quillmap.conf";
  }
  std::string home;
  if (const char* env_home = std::getenv("HOME"); env_home != nullptr && env_home[0] != '\0') {
    home = env_home;
  } else if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
    home = user->pw_dir;
  }
  if (home.empty()) return {};
  return home + "/.config/Quillmap.conf";
}

int IniProfile::GetInt(std::string_view section, std::string_view entry, int default_value) const {
  if (path_.empty()) return default_value;
  bool in_section = false;
  for (const Line& line : ReadLines(path_)) {
    if (line.is_section) {
      in_section = line.section == section;
    } else if (in_section && line.key == entry) {
      return ParseInt(line.value).value_or(default_value);
    }
  }
  return default_value;
}

bool IniProfile::SetInt(std::string_view section, std::string_view entry, int value) {
  if (path_.empty()) return false;
  const std::vector<Line> lines = ReadLines(path_);
  std::string new_line(entry);
  new_line += '=';
  new_line += std::to_string(value);
  new_line += '\n';

  // Find the entry in its section, or the place after the section's last entry line.
  std::optional<std::size_t> replace_at;
  std::optional<std::size_t> insert_at;
  bool in_section = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].is_section) {
      in_section = lines[i].section == section;
      if (in_section) insert_at = i + 1;
    } else if (in_section) {
      if (lines[i].key == entry) {
        replace_at = i;
        break;
      }
      if (!lines[i].key.empty()) insert_at = i + 1;
    }
  }

  std::string content;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (insert_at == i && !replace_at) content += new_line;
    if (replace_at == i) {
      content += new_line;
    } else {
      content += lines[i].text;
      content += '\n';
    }
  }
  if (insert_at == lines.size() && !replace_at) content += new_line;
  if (!insert_at) {
    content += '[';
    content += section;
    content += "]\n";
    content += new_line;
  }

  try {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
    AtomicFileWriter writer(path_);
    writer.file().Write(content);
    writer.Commit();
  } catch (const FileError&) {
    return false;
  }
  return true;
}

}  // namespace quillmap
