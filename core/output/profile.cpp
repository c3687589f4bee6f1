#include "core/output/profile.h"

namespace quillmap {

ClipboardSpecSettings LoadClipboardSpecSettings(const Profile* profile) {
  if (profile == nullptr) return 0;
  return profile->GetInt(kClipboardSpecSection, kClipboardSpecEntry, clip_flag::kAll);
}

bool SaveClipboardSpecSettings(Profile* profile, ClipboardSpecSettings flags) {
  if (profile == nullptr) return false;
  return profile->SetInt(kClipboardSpecSection, kClipboardSpecEntry, flags);
}

}  // namespace quillmap
