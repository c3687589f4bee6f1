#pragma once
// CSpecApp: the application. Start-up (InitInstance) sets up the profile, registers the two
// document templates, creates the main frame and carries out the command line: no file leaves
// the main frame empty, a file is opened by its extension, and a file that can't be opened ends
// the program after the document's message; the print switches print a file and end. The
// application handles File New (always a function document) and the About box.

#include <memory>
#include <optional>
#include <vector>

#include <wx/app.h>

class CDocManager;
class CMainFrame;

// The editor's command-line help (--help); also printed, on stderr, after a command line that
// makes no sense.
extern const char kCommandLineHelp[];

class CSpecApp : public wxApp {
 public:
  CSpecApp();
  ~CSpecApp() override;

  // Carries out the command line (core/parse/shell_command.h).
  bool OnInit() override;
  // The exit status of a command line that ends the program at once (print switches, usage);
  // otherwise the main loop.
  int OnRun() override;
  int OnExit() override;

  // The start-up sequence with the files of the command line, opened in order (none: the main
  // frame stays empty). A file that can't be opened is reported and skipped. False when the
  // main frame can't be made or not one of the files could be opened; nothing of the start-up
  // is left then.
  bool InitInstance(const std::vector<wxString>& files);
  bool InitInstance(const wxString& file);
  // The print switches: opens the file with the main window hidden, prints its pages without a
  // dialog on the named printer (empty: the default one), closes everything again and returns
  // the exit status: 0 printed, 1 after a message (file can't be opened, no printer, failure).
  int PrintFromCommandLine(const wxString& file, const wxString& printer);
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
  // Profile, templates and the main frame (not shown yet). False when the frame can't be made.
  bool StartUp();
  void LoadStdProfileSettings();
  void SaveStdProfileSettings();

  std::unique_ptr<CDocManager> doc_manager_;
  CMainFrame* main_frame_ = nullptr;
  int preview_pages_ = 0;
  std::optional<int> exit_status_;  // set when the command line ends the program at once

  wxDECLARE_EVENT_TABLE();
};

wxDECLARE_APP(CSpecApp);
