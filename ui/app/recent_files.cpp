#include "ui/app/recent_files.h"

#include <algorithm>

#include <wx/config.h>
#include <wx/filename.h>
#include <wx/menu.h>

#include "ui/res/ids.h"
#include "ui/res/menus.h"
#include "ui/res/string_table.h"

namespace {

const wxString kSection = wxS("/Recent File List");

bool IsRecentFileItem(int id) {
  return id >= wxID_FILE1 && id < wxID_FILE1 + CRecentFiles::kMaxFiles;
}

// The label of entry `index` as wx's own recent-file menus make it: "&1 file.dcm" for a file in
// the folder of the newest entry (or whatever the list's path style says), "&2 /path/file.dcm"
// otherwise. The number is the mnemonic; "&" in the path must show as itself.
wxString EntryLabel(size_t index, const wxString& path, const wxString& newest_folder,
                    wxFileHistoryMenuPathStyle style) {
  const wxFileName name(path);
  bool name_only = style == wxFH_PATH_SHOW_NEVER;
  if (style == wxFH_PATH_SHOW_IF_DIFFERENT) {
    name_only = name.HasName() && name.GetPath() == newest_folder;
  }
  wxString shown = name_only ? name.GetFullName() : path;
  shown.Replace(wxS("&"), wxS("&&"));
  return wxString::Format(wxS("&%zu %s"), index + 1, shown);
}

}  // namespace

CRecentFiles::CRecentFiles() : wxFileHistory(kMaxFiles, wxID_FILE1) {}

void CRecentFiles::AddFileToHistory(const wxString& file) {
  // Kept with its full path, so that the entry still names the file when the editor is started
  // from another folder.
  wxFileName absolute(file);
  absolute.MakeAbsolute();
  wxFileHistory::AddFileToHistory(absolute.GetFullPath());
  RefreshMenus();
  SaveToProfile();
}

void CRecentFiles::RemoveFileFromHistory(size_t i) {
  if (i >= GetCount()) return;
  wxFileHistory::RemoveFileFromHistory(i);
  RefreshMenus();
  SaveToProfile();
}

void CRecentFiles::UseMenu(wxMenu* menu) {
  if (menu == nullptr || std::find(menus_.begin(), menus_.end(), menu) != menus_.end()) return;
  menus_.push_back(menu);
  RefreshMenu(menu);
}

void CRecentFiles::RemoveMenu(wxMenu* menu) {
  std::erase(menus_, menu);
}

void CRecentFiles::AddFilesToMenu() {
  RefreshMenus();
}

void CRecentFiles::AddFilesToMenu(wxMenu* menu) {
  RefreshMenu(menu);
}

void CRecentFiles::Load(const wxConfigBase& config) {
  // File1 is the newest: add from the oldest on, so that each addition moves to the front.
  std::vector<wxString> files;
  for (int i = 1; i <= kMaxFiles; ++i) {
    wxString path;
    if (config.Read(wxString::Format(wxS("%s/File%d"), kSection, i), &path) && !path.empty()) {
      files.push_back(path);
    }
  }
  for (auto it = files.rbegin(); it != files.rend(); ++it) wxFileHistory::AddFileToHistory(*it);
  RefreshMenus();
}

void CRecentFiles::Save(wxConfigBase& config) {
  config.DeleteGroup(kSection);
  for (size_t i = 0; i < GetCount(); ++i) {
    config.Write(wxString::Format(wxS("%s/File%zu"), kSection, i + 1), GetHistoryFile(i));
  }
}

void CRecentFiles::RefreshMenus() {
  for (wxMenu* menu : menus_) RefreshMenu(menu);
}

void CRecentFiles::RefreshMenu(wxMenu* menu) const {
  // The entries (or the placeholder) stand where the menu's first recent-file item stands.
  int position = -1;
  for (size_t i = 0; i < menu->GetMenuItemCount();) {
    wxMenuItem* item = menu->FindItemByPosition(i);
    if (IsRecentFileItem(item->GetId())) {
      if (position < 0) position = static_cast<int>(i);
      menu->Destroy(item);
    } else {
      ++i;
    }
  }
  if (position < 0) return;
  if (GetCount() == 0) {
    menu->Insert(position, wxID_FILE1, ResourceText(menus::RecentFilesText()),
                 LoadPrompt(ids::kFileMru1));
    menu->Enable(wxID_FILE1, false);
    return;
  }
  const wxString newest_folder = wxFileName(GetHistoryFile(0)).GetPath();
  for (size_t i = 0; i < GetCount(); ++i) {
    menu->Insert(position + i, wxID_FILE1 + static_cast<int>(i),
                 EntryLabel(i, GetHistoryFile(i), newest_folder, GetMenuPathStyle()),
                 LoadPrompt(ids::kFileMru1 + static_cast<int>(i)));
  }
}

void CRecentFiles::SaveToProfile() {
  if (wxConfigBase* config = wxConfigBase::Get(false)) {
    Save(*config);
    config->Flush();
  }
}
