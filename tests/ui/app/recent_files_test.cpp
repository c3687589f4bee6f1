// The recent-file list: four files at most, kept in the profile as File1..File4, shown in place
// of the "最近使ったﾌｧｲﾙ" item of every File menu.

#include <wx/ffile.h>
#include <wx/filehistory.h>
#include <wx/menu.h>

#include "tests/ui/app/app_fixture.h"
#include "ui/app/recent_files.h"

namespace {

wxString OpenPage(const wxString& path) {
  WriteBytes(path, "<html><body>page</body></html>");
  return path;
}

// Labels of the main frame's File menu items from the first recent-file item on.
std::vector<wxString> RecentItems(wxFrame* frame) {
  std::vector<wxString> labels;
  for (wxMenuItem* item : frame->GetMenuBar()->GetMenu(0)->GetMenuItems()) {
    if (item->GetId() >= wxID_FILE1 && item->GetId() <= wxID_FILE9) {
      labels.push_back(item->GetItemLabel());
    }
  }
  return labels;
}

TEST_F(AppTest, EmptyListShowsDisabledPlaceholderWhereTheItemStands) {
  ASSERT_TRUE(Start());
  wxMenu* file = Frame()->GetMenuBar()->GetMenu(0);
  wxMenuItem* placeholder = file->FindItemByPosition(5);
  EXPECT_EQ(placeholder->GetId(), wxID_FILE1);
  EXPECT_EQ(placeholder->GetItemLabel(), U("最近使ったﾌｧｲﾙ"));
  EXPECT_FALSE(placeholder->IsEnabled());
  EXPECT_EQ(file->FindItemByPosition(7)->GetId(), wxID_EXIT);
}

TEST_F(AppTest, FifthFilePushesTheOldestOutAndProfileHoldsFile1ToFile4) {
  ASSERT_TRUE(Start());
  for (int i = 1; i <= 5; ++i) {
    const wxString path = OpenPage(Path(wxString::Format(wxS("page%d.htm"), i)));
    ASSERT_NE(Manager()->OpenFile(path), nullptr);
    Pump();
  }
  wxFileHistory* history = Manager()->GetFileHistory();
  ASSERT_EQ(history->GetCount(), 4u);
  EXPECT_EQ(history->GetHistoryFile(0), Path(wxS("page5.htm")));
  EXPECT_EQ(history->GetHistoryFile(3), Path(wxS("page2.htm")));

  wxConfigBase* config = wxConfigBase::Get();
  EXPECT_EQ(config->Read(wxS("/Recent File List/File1")), Path(wxS("page5.htm")));
  EXPECT_EQ(config->Read(wxS("/Recent File List/File4")), Path(wxS("page2.htm")));
  EXPECT_FALSE(config->HasEntry(wxS("/Recent File List/File5")));
  // Entry names keep their case in the file: File1, not wxFileHistory's own file1.
  wxFFile profile(ProfilePath());
  wxString text;
  ASSERT_TRUE(profile.ReadAll(&text));
  EXPECT_NE(text.Find(wxS("\nFile1=")), wxNOT_FOUND) << text.utf8_string();
  EXPECT_EQ(text.Find(wxS("file1=")), wxNOT_FOUND);

  // All four lie in one folder: the menu names them by their file names.
  const std::vector<wxString> items = RecentItems(Frame());
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0], U("&1 page5.htm"));
  EXPECT_EQ(items[3], U("&4 page2.htm"));
  // The items stand where the placeholder stood, before Exit.
  wxMenu* file = Frame()->GetMenuBar()->GetMenu(0);
  EXPECT_EQ(file->FindItemByPosition(5)->GetId(), wxID_FILE1);
  EXPECT_EQ(file->FindItemByPosition(10)->GetId(), wxID_EXIT);

  // A browser window's File menu shows the same list.
  auto* child = static_cast<wxFrame*>(Documents()[0]->GetFirstView()->GetFrame());
  wxMenuItem* first = child->GetMenuBar()->FindItem(wxID_FILE1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetItemLabel(), U("&1 page5.htm"));
}

TEST_F(AppTest, FileOpenedByRelativePathIsRememberedWithItsFullPath) {
  ASSERT_TRUE(wxFileName::Mkdir(Path(wxS("docs")), wxS_DIR_DEFAULT));
  ASSERT_TRUE(wxFileName::Mkdir(Path(wxS("elsewhere")), wxS_DIR_DEFAULT));
  const wxString dcm = Path(wxS("docs/s4.dcm"));
  WriteSpecDocument(dcm, {"Alpha"});
  const wxString other = OpenPage(Path(wxS("elsewhere/other.htm")));
  const wxString old_cwd = wxGetCwd();
  ASSERT_TRUE(wxSetWorkingDirectory(Path(wxS("docs"))));
  const bool started = Start(wxS("s4.dcm"));
  wxSetWorkingDirectory(old_cwd);
  ASSERT_TRUE(started);
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0]->GetFilename(), dcm);
  EXPECT_EQ(wxConfigBase::Get()->Read(wxS("/Recent File List/File1")), dcm);

  // Files in the newest entry's folder are shown by name, a file of another folder with its path.
  const wxString newest = Path(wxS("docs/s5.dcm"));
  WriteSpecDocument(newest, {"Beta"});
  ASSERT_NE(Manager()->OpenFile(other), nullptr);
  ASSERT_NE(Manager()->OpenFile(Path(wxS("docs/../docs/s5.dcm"))), nullptr);
  EXPECT_EQ(wxConfigBase::Get()->Read(wxS("/Recent File List/File1")), newest);
  EXPECT_EQ(RecentItems(Frame()),
            (std::vector<wxString>{U("&1 s5.dcm"), U("&2 ") + other, U("&3 s4.dcm")}));

  // From another working folder, the entry still opens its file.
  for (wxDocument* doc : Documents()) Manager()->CloseDocument(doc, true);
  Pump();
  ASSERT_TRUE(wxSetWorkingDirectory(Path(wxS("elsewhere"))));
  EXPECT_TRUE(SendCommand(Frame(), wxID_FILE3));
  wxSetWorkingDirectory(old_cwd);
  Pump();
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0]->GetFilename(), dcm);
}

TEST_F(AppTest, ListIsReadBackFromTheProfileAtStartUp) {
  wxConfigBase* config = wxConfigBase::Get();
  config->Write(wxS("/Recent File List/File1"), wxS("/data/newest.dcm"));
  config->Write(wxS("/Recent File List/File2"), wxS("/data/older.htm"));
  config->Write(wxS("/Settings/PreviewPages"), 2);
  ASSERT_TRUE(Start());
  wxFileHistory* history = Manager()->GetFileHistory();
  ASSERT_EQ(history->GetCount(), 2u);
  EXPECT_EQ(history->GetHistoryFile(0), wxS("/data/newest.dcm"));
  EXPECT_EQ(history->GetHistoryFile(1), wxS("/data/older.htm"));
  EXPECT_EQ(wxGetApp().GetPreviewPages(), 2);
  EXPECT_EQ(RecentItems(Frame()).size(), 2u);

  wxGetApp().ExitInstance();
  EXPECT_EQ(config->Read(wxS("/Recent File List/File1")), wxS("/data/newest.dcm"));
  EXPECT_EQ(config->ReadLong(wxS("/Settings/PreviewPages"), -1), 2);
}

TEST_F(AppTest, RecentFileThatHasGoneIsReportedAndDropped) {
  const wxString kept = OpenPage(Path(wxS("kept.htm")));
  const wxString gone = OpenPage(Path(wxS("gone.htm")));
  ASSERT_TRUE(Start());
  ASSERT_NE(Manager()->OpenFile(kept), nullptr);
  ASSERT_NE(Manager()->OpenFile(gone), nullptr);
  for (wxDocument* doc : Documents()) Manager()->CloseDocument(doc, true);
  Pump();
  ASSERT_TRUE(wxRemoveFile(gone));

  SeenMessage seen;
  wxTEST_DIALOG(SendCommand(Frame(), wxID_FILE1), ExpectMessage(&seen, wxID_OK));
  EXPECT_EQ(seen.text, gone + U(" を開くことができません。"));
  EXPECT_TRUE(Documents().empty());
  ASSERT_EQ(Manager()->GetFileHistory()->GetCount(), 1u);
  EXPECT_EQ(Manager()->GetFileHistory()->GetHistoryFile(0), kept);

  // The remaining entry opens its file.
  EXPECT_TRUE(SendCommand(Frame(), wxID_FILE1));
  Pump();
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0]->GetFilename(), kept);
}

TEST(RecentFiles, AmpersandInPathShowsAsItself) {
  CRecentFiles history;
  wxMenu menu;
  menu.Append(wxID_OPEN, wxS("open"));
  menu.Append(wxID_FILE1, wxS("placeholder"));
  menu.Append(wxID_EXIT, wxS("exit"));
  history.UseMenu(&menu);
  history.AddFileToHistory(wxS("/tmp/R&D/a.dcm"));
  history.AddFileToHistory(wxS("/tmp/T&E/b&c.dcm"));
  EXPECT_EQ(menu.FindItemByPosition(1)->GetItemLabel(), wxS("&1 b&&c.dcm"));
  EXPECT_EQ(menu.FindItemByPosition(1)->GetItemLabelText(), wxS("1 b&c.dcm"));
  EXPECT_EQ(menu.FindItemByPosition(2)->GetItemLabel(), wxS("&2 /tmp/R&&D/a.dcm"));
  EXPECT_EQ(menu.FindItemByPosition(2)->GetItemLabelText(), wxS("2 /tmp/R&D/a.dcm"));
  history.RemoveFileFromHistory(0);
  history.RemoveFileFromHistory(0);
  EXPECT_FALSE(menu.FindItemByPosition(1)->IsEnabled());
  EXPECT_EQ(menu.GetMenuItemCount(), 3u);
  history.RemoveMenu(&menu);
}

}  // namespace

namespace {

TEST_F(AppTest, ProfileLivesInTheConfigFolderAsQuillmapConf) {
  // No profile set up by the test: start-up makes its own under $XDG_CONFIG_HOME, folder and all.
  delete wxConfigBase::Set(nullptr);
  wxString old_home;
  const bool had_home = wxGetEnv(wxS("XDG_CONFIG_HOME"), &old_home);
  const wxString config_home = Path(wxS("config/home"));
  wxSetEnv(wxS("XDG_CONFIG_HOME"), config_home);
  const wxString page = Path(wxS("remembered.htm"));
  WriteBytes(page, "<html><body>page</body></html>");

  ASSERT_TRUE(Start());
  EXPECT_NE(Manager()->OpenFile(page), nullptr);
  wxGetApp().ExitInstance();
  if (had_home) {
    wxSetEnv(wxS("XDG_CONFIG_HOME"), old_home);
  } else {
    wxUnsetEnv(wxS("XDG_CONFIG_HOME"));
  }

  wxFFile profile(config_home + wxS("/Quillmap.conf"));
  ASSERT_TRUE(profile.IsOpened());
  wxString text;
  ASSERT_TRUE(profile.ReadAll(&text));
  EXPECT_NE(text.Find(wxS("File1=") + page), wxNOT_FOUND) << text.utf8_string();
  EXPECT_NE(text.Find(wxS("PreviewPages=0")), wxNOT_FOUND) << text.utf8_string();
}

}  // namespace
