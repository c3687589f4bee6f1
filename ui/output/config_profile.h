#pragma once
// ConfigProfile: the editor's Profile, kept in a wx configuration, normally the application's
// profile file that start-up sets up (wxConfigBase::Get). Entries are "/section/entry" in it,
// so the file holds "[section]" and "entry=value" lines that the command line reads as well.

#include <string_view>

#include "core/output/profile.h"

class wxConfigBase;

class ConfigProfile : public quillmap::Profile {
 public:
  explicit ConfigProfile(wxConfigBase& config) : config_(config) {}

  // The entry's value; default_value when it is missing, not a number or beyond 32 bits.
  int GetInt(std::string_view section, std::string_view entry, int default_value) const override;
  // Writes the entry and flushes the file; false when either fails.
  bool SetInt(std::string_view section, std::string_view entry, int value) override;

 private:
  wxConfigBase& config_;
};

// The clipboard flag word of the application's profile, read anew on every call: -1 when the
// profile has no entry, 0 when the application has no profile.
quillmap::ClipboardSpecSettings LoadEditorClipboardSettings();
// Stores the flag word in the application's profile; false when there is none or it can't be
// written.
bool SaveEditorClipboardSettings(quillmap::ClipboardSpecSettings flags);
