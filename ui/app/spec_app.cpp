#include "ui/app/spec_app.h"

#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "ui/app/about_dlg.h"
#include "ui/app/assert_policy.h"
#include "ui/app/doc_manager.h"
#include "ui/app/doc_templates.h"
#include "ui/app/main_frame.h"
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

bool CSpecApp::OnInit() {
  if (!wxApp::OnInit()) return false;  // parses the command line
  return InitInstance(command_line_file_);
}

int CSpecApp::OnExit() {
  ExitInstance();
  return wxApp::OnExit();
}

void CSpecApp::OnInitCmdLine(wxCmdLineParser& parser) {
  wxApp::OnInitCmdLine(parser);
  parser.AddParam(wxS("file"), wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CSpecApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (!wxApp::OnCmdLineParsed(parser)) return false;
  if (parser.GetParamCount() > 0) command_line_file_ = parser.GetParam(0);
  return true;
}

bool CSpecApp::InitInstance(const wxString& file) {
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

  // A command line without a file opens nothing: the main frame stays empty.
  if (!file.empty() && doc_manager_->OpenFile(file) == nullptr) {
    ExitInstance();
    return false;
  }

  main_frame_->Show();
  main_frame_->Update();
  return true;
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
