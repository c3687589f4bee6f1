#pragma once
// The recent-file list: at most four files, newest first. It keeps the "最近使ったﾌｧｲﾙ" item of
// every File menu in step with the list (a disabled placeholder while the list is empty, the
// entries in its place otherwise) and stores itself in the profile section "Recent File List"
// as File1 to File4. Files are kept with their full paths; the menu shows them the way wx's own
// recent-file menus do (a file in the newest entry's folder by its name).

#include <vector>

#include <wx/filehistory.h>

class wxConfigBase;
class wxMenu;

class CRecentFiles : public wxFileHistory {
 public:
  static constexpr int kMaxFiles = 4;

  CRecentFiles();

  void AddFileToHistory(const wxString& file) override;
  void RemoveFileFromHistory(size_t i) override;

  // Menus whose recent-file item this list keeps up to date.
  void UseMenu(wxMenu* menu) override;
  void RemoveMenu(wxMenu* menu) override;
  void AddFilesToMenu() override;
  void AddFilesToMenu(wxMenu* menu) override;

  // Section "Recent File List", entries File1 (newest) to File4.
  void Load(const wxConfigBase& config) override;
  void Save(wxConfigBase& config) override;

 private:
  void RefreshMenus();
  void RefreshMenu(wxMenu* menu) const;
  // Writes the list to the application's profile, when there is one.
  void SaveToProfile();

  std::vector<wxMenu*> menus_;
};
