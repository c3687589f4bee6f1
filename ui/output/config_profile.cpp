#include "ui/output/config_profile.h"

#include <climits>

#include <wx/config.h>

namespace {

wxString KeyOf(std::string_view section, std::string_view entry) {
  wxString key = wxS("/");
  key << wxString::FromUTF8(section.data(), section.size()) << wxS("/")
      << wxString::FromUTF8(entry.data(), entry.size());
  return key;
}

}  // namespace

int ConfigProfile::GetInt(std::string_view section, std::string_view entry,
                          int default_value) const {
  long value = 0;
  if (!config_.Read(KeyOf(section, entry), &value)) return default_value;
  if (value < INT_MIN || value > INT_MAX) return default_value;
  return static_cast<int>(value);
}

bool ConfigProfile::SetInt(std::string_view section, std::string_view entry, int value) {
  return config_.Write(KeyOf(section, entry), static_cast<long>(value)) && config_.Flush();
}

quillmap::ClipboardSpecSettings LoadEditorClipboardSettings() {
  wxConfigBase* config = wxConfigBase::Get(false);
  if (config == nullptr) return quillmap::LoadClipboardSpecSettings(nullptr);
  const ConfigProfile profile(*config);
  return quillmap::LoadClipboardSpecSettings(&profile);
}

bool SaveEditorClipboardSettings(quillmap::ClipboardSpecSettings flags) {
  wxConfigBase* config = wxConfigBase::Get(false);
  if (config == nullptr) return quillmap::SaveClipboardSpecSettings(nullptr, flags);
  ConfigProfile profile(*config);
  return quillmap::SaveClipboardSpecSettings(&profile, flags);
}
