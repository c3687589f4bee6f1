#include "ui/app/spec_app.h"

#include <cstdio>
#include <string>
#include <vector>

#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "core/parse/shell_command.h"
#include "ui/app/about_dlg.h"
#include "ui/app/assert_policy.h"
#include "ui/app/doc_manager.h"
#include "ui/app/doc_templates.h"
#include "ui/app/main_frame.h"
#include "ui/app/print_command.h"
#include "ui/app/user_locale.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"

wxBEGIN_EVENT_TABLE(CSpecApp, wxApp) EVT_MENU(wxID_ABOUT, CSpecApp::OnAppAbout)
    EVT_MENU(wxID_NEW, CSpecApp::OnFileNew) wxEND_EVENT_TABLE()

        namespace {
  const wxString kPreviewPagesEntry = wxS("/Settings/PreviewPages");
}  // namespace

CSpecApp::CSpecApp() {
  InstallAssertHandler();
}

CSpecApp::~CSpecApp() = default;

const char kCommandLineHelp[] =
    "usage: quillmap [FILE...]\n"
    "       quillmap /p FILE\n"
    "       quillmap /pt FILE PRINTER [DRIVER [PORT]]\n"
    "Starts the Quillmap editor. Each FILE is opened by its extension: a .dcm document in its\n"
    "form, an .htm page in a browser window; any other file is tried as a .dcm document.\n"
    "Without FILE the main window opens empty.\n"
    "  /p, -p         print FILE's pages on the default printer, without a window, and exit\n"
    "  /pt, -pt       print FILE's pages on PRINTER (DRIVER and PORT are not needed) and exit\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "GTK's own options (for example --display=DISPLAY) are taken as well. An argument after --\n"
    "is a file name even when it starts with a dash or is /p or /pt.\n";

bool CSpecApp::OnInit() {
  UseUserLocale();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(argv[i].utf8_string());
  const quillmap::ShellCommand command = quillmap::ParseShellCommand(args);
  using Kind = quillmap::ShellCommand::Kind;
  switch (command.kind) {
    case Kind::kHelp:
    case Kind::kBad: {
      const bool asked = command.kind == Kind::kHelp;
      std::fputs(kCommandLineHelp, asked ? stdout : stderr);
      exit_status_ = asked ? 0 : 2;
      return true;
    }
    case Kind::kPrint:
    case Kind::kPrintTo:
      exit_status_ = PrintFromCommandLine(wxString::FromUTF8(command.file),
                                          wxString::FromUTF8(command.printer));
      return true;
    case Kind::kNothing:
    case Kind::kOpen:
      break;
  }
  std::vector<wxString> files;
  for (const std::string& file : command.files) files.push_back(wxString::FromUTF8(file));
  return InitInstance(files);
}

int CSpecApp::OnRun() {
  return exit_status_ ? *exit_status_ : wxApp::OnRun();
}

int CSpecApp::OnExit() {
  ExitInstance();
  return wxApp::OnExit();
}

bool CSpecApp::StartUp() {
  // The profile: vendor string 500, application string 57344, in the desktop's config folder
  // ($XDG_CONFIG_HOME/Quillmap.conf).
  SetVendorName(LoadWxString(ids::kStrRegistryKey));
  SetAppName(LoadWxString(ids::kStrAppName));
  SetAppDisplayName(LoadWxString(ids::kStrAppName));
  wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
  if (wxConfigBase::Get(false) == nullptr) {
    // wxFileConfig writes the file but does not make its folder.
    const wxFileName profile(wxFileConfig::GetLocalFileName(GetAppName()));
    wxFileName::Mkdir(profile.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxConfigBase::Set(new wxFileConfig(GetAppName(), GetVendorName(), profile.GetFullPath(),
                                       wxString(), wxCONFIG_USE_LOCAL_FILE));
  }

  doc_manager_ = std::make_unique<CDocManager>();
  LoadStdProfileSettings();
  RegisterDocTemplates(doc_manager_.get());

  main_frame_ = CMainFrame::Create(doc_manager_.get());
  if (main_frame_ == nullptr) {
    doc_manager_.reset();
    return false;
  }
  SetTopWindow(main_frame_);
  main_frame_->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == main_frame_) main_frame_ = nullptr;
    event.Skip();
  });
  return true;
}

bool CSpecApp::InitInstance(const wxString& file) {
  return InitInstance(file.empty() ? std::vector<wxString>{} : std::vector<wxString>{file});
}

bool CSpecApp::InitInstance(const std::vector<wxString>& files) {
  if (!StartUp()) return false;
  // A command line without a file opens nothing: the main frame stays empty. Of several files
  // (a file manager's selection) those that open are shown; the program ends only when the
  // command line named files and none of them could be opened.
  std::size_t opened = 0;
  for (const wxString& file : files) {
    if (doc_manager_->OpenFile(file) != nullptr) ++opened;
  }
  if (!files.empty() && opened == 0) {
    ExitInstance();
    return false;
  }

  main_frame_->Show();
  main_frame_->Update();
  return true;
}

int CSpecApp::PrintFromCommandLine(const wxString& file, const wxString& printer) {
  // As with the framework's print switches, the main window is never shown: the document is
  // opened, printed and closed again.
  if (!StartUp()) return 1;
  int status = 1;
  if (wxDocument* doc = doc_manager_->OpenFile(file)) {
    if (PrintViewDirect(doc->GetFirstView(), printer)) status = 0;
  }
  ExitInstance();
  return status;
}

void CSpecApp::ExitInstance() {
  if (doc_manager_ != nullptr) {
    doc_manager_->CloseDocuments(true);
    SaveStdProfileSettings();
  }
  if (main_frame_ != nullptr) {
    SetTopWindow(nullptr);
    main_frame_->Destroy();
    main_frame_ = nullptr;
  }
  // Windows are deleted on the next idle; the manager must outlive them.
  DeletePendingObjects();
  doc_manager_.reset();
}

void CSpecApp::OnFileNew(wxCommandEvent& /*event*/) {
  if (doc_manager_ != nullptr) doc_manager_->CreateNewDocument();
}

void CSpecApp::OnAppAbout(wxCommandEvent& /*event*/) {
  CAboutDlg dialog(main_frame_);
  dialog.ShowModal();
}

void CSpecApp::LoadStdProfileSettings() {
  wxConfigBase* config = wxConfigBase::Get(false);
  if (config == nullptr) return;
  doc_manager_->FileHistoryLoad(*config);
  preview_pages_ = static_cast<int>(config->ReadLong(kPreviewPagesEntry, 0));
}

void CSpecApp::SaveStdProfileSettings() {
  wxConfigBase* config = wxConfigBase::Get(false);
  if (config == nullptr || doc_manager_ == nullptr) return;
  doc_manager_->FileHistorySave(*config);
  config->Write(kPreviewPagesEntry, preview_pages_);
  config->Flush();
}
