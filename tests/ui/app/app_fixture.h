#pragma once
// A test that starts the editor's application as the program does (InitInstance) with its own
// profile file, and takes it down again afterwards.

#include <vector>

#include <wx/config.h>
#include <wx/docview.h>
#include <wx/fileconf.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include "tests/ui/app/wx_test_env.h"
#include "ui/app/doc_manager.h"
#include "ui/app/main_frame.h"
#include "ui/app/spec_app.h"

// Whether a frame's menu item is enabled after the frame's update-UI handlers ran, as when its
// menu opens.
inline bool MenuItemEnabled(wxFrame* frame, int id) {
  wxMenu* menu = nullptr;
  wxMenuItem* item = frame->GetMenuBar()->FindItem(id, &menu);
  if (item == nullptr) {
    ADD_FAILURE() << "no item " << id;
    return false;
  }
  menu->UpdateUI(frame->GetEventHandler());
  return item->IsEnabled();
}

class AppTest : public testing::Test {
 protected:
  void SetUp() override {
    delete wxConfigBase::Set(new wxFileConfig(wxString(), wxString(), ProfilePath(), wxString(),
                                              wxCONFIG_USE_LOCAL_FILE));
  }

  void TearDown() override {
    if (Manager() != nullptr) {
      for (wxDocument* doc : Documents()) doc->Modify(false);
    }
    wxGetApp().ExitInstance();
    Pump();
    delete wxConfigBase::Set(nullptr);
  }

  bool Start(const wxString& file = wxString()) {
    const bool started = wxGetApp().InitInstance(file);
    Pump();
    return started;
  }

  wxString ProfilePath() const { return dir_.Path(wxS("Quillmap.conf")); }
  wxString Path(const wxString& name) const { return dir_.Path(name); }

  static CMainFrame* Frame() { return wxGetApp().GetMainFrame(); }
  static CDocManager* Manager() { return wxGetApp().GetDocManager(); }

  static std::vector<wxDocument*> Documents() {
    std::vector<wxDocument*> docs;
    for (wxObject* object : Manager()->GetDocuments())
      docs.push_back(static_cast<wxDocument*>(object));
    return docs;
  }

  // Sends a menu command to a window as a click on its menu item would.
  static bool SendCommand(wxWindow* target, int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(target);
    return target->GetEventHandler()->ProcessEvent(event);
  }

 private:
  TempDir dir_;
};
