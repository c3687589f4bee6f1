#pragma once
// CSpecApp: the application. Start-up (InitInstance) sets up the profile, registers the two
// document templates, creates the main frame and carries out the command line: no file leaves
// the main frame empty, a file is opened by its extension, and a file that can't be opened ends
// the program after the document's message. The application handles File New (always a
// function document) and the About box.

#include <memory>

#include <wx/app.h>

class CDocManager;
class CMainFrame;
class wxCmdLineParser;

class CSpecApp : public wxApp {
 public:
  CSpecApp();
  ~CSpecApp() override;

  bool OnInit() override;
  int OnExit() override;
  void OnInitCmdLine(wxCmdLineParser& parser) override;
  bool OnCmdLineParsed(wxCmdLineParser& parser) override;

  // The start-up sequence with the file of the command line (empty: none). False when the main
  // frame can't be made or the file can't be opened; nothing of the start-up is left then.
  bool InitInstance(const wxString& file);
  // Closes every document without asking, destroys the main frame and stores the profile.
  void ExitInstance();

  // File New: a new, untitled function document in a window of its own.
  void OnFileNew(wxCommandEvent& event);
  // The About box.
  void OnAppAbout(wxCommandEvent& event);

  CDocManager* GetDocManager() const { return doc_manager_.get(); }
  CMainFrame* GetMainFrame() const { return main_frame_; }
  // Profile entry "Settings/PreviewPages", kept as read.
  int GetPreviewPages() const { return preview_pages_; }

 private:
  void LoadStdProfileSettings();
  void SaveStdProfileSettings();

  std::unique_ptr<CDocManager> doc_manager_;
  CMainFrame* main_frame_ = nullptr;
  wxString command_line_file_;
  int preview_pages_ = 0;

  wxDECLARE_EVENT_TABLE();
};

wxDECLARE_APP(CSpecApp);
