#pragma once
// The per-user settings behind the clipboard comment block. The program reads and writes them
// through Profile, so the editor can keep them in its wx configuration and the command line in
// a plain file (IniProfile).

#include <cstdint>
#include <string_view>

namespace quillmap {

// A store of named integers grouped in sections.
class Profile {
 public:
  virtual ~Profile() = default;
  // The entry's value, or default_value when the entry is missing or not a number.
  virtual int GetInt(std::string_view section, std::string_view entry, int default_value) const = 0;
  // Writes the entry; false when it could not be stored.
  virtual bool SetInt(std::string_view section, std::string_view entry, int value) = 0;
};

// Which sections the clipboard comment block holds: a word of flag bits. The function name is
// always present; bit 0x01 and the bits above 0x10 mean nothing.
using ClipboardSpecSettings = std::int32_t;
namespace clip_flag {
inline constexpr ClipboardSpecSettings kArguments = 0x02;    // 引数
inline constexpr ClipboardSpecSettings kReturn = 0x04;       // 戻り値
inline constexpr ClipboardSpecSettings kExplanation = 0x08;  // 説明
inline constexpr ClipboardSpecSettings kNote = 0x10;         // 補足
inline constexpr ClipboardSpecSettings kAll = -1;            // the value when nothing is stored
}  // namespace clip_flag

inline constexpr std::string_view kClipboardSpecSection = "ToClipFcunSpec";
inline constexpr std::string_view kClipboardSpecEntry = "FuncSpec";

// The stored flag word, -1 when the profile has no entry; 0 without a profile.
ClipboardSpecSettings LoadClipboardSpecSettings(const Profile* profile);
// Stores the flag word; false without a profile or when the profile can't store it.
bool SaveClipboardSpecSettings(Profile* profile, ClipboardSpecSettings flags);

}  // namespace quillmap
