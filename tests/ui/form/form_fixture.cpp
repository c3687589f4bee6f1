#include "form_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <wx/app.h>
#include <wx/listctrl.h>
#include "testing_hook.h"

#include "core/model/file.h"
#include "core/text/sjis.h"

int RecordingMessageExpectation::OnInvoked(wxMessageDialog* dialog) const {
  shown_.caption = dialog->GetTitle();
  shown_.message = dialog->GetMessage();
  shown_.style = dialog->GetMessageDialogStyle();
  return answer_;
}

ShownMessage ExpectMessage(const std::function<void()>& code, int answer) {
  ShownMessage shown;
  wxTEST_DIALOG(code(), RecordingMessageExpectation(shown, answer));
  return shown;
}

void PumpFor(int milliseconds) {
  const wxLongLong until = wxGetLocalTimeMillis() + milliseconds;
  while (wxGetLocalTimeMillis() < until) {
    wxMilliSleep(10);
    Pump();
  }
}

void Pump() {
  for (int i = 0; i < 3; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxTheApp->ProcessIdle();
  }
}

std::string Sjis(const char* utf8) {
  return quillmap::text::Sjis(utf8);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void FormTest::SetUp() {
  manager_ = new wxDocManager;
  new wxDocTemplate(manager_, "Quillmap", "*.dcm", "", "dcm", "QuillmapDocument",
                    "Quillmap Document", wxCLASSINFO(CFuncDoc), wxCLASSINFO(CFuncView));
  frame_ = new wxDocMDIParentFrame(manager_, nullptr, wxID_ANY, "Quillmap", wxPoint(0, 0),
                                   wxSize(1000, 800));
  wxTheApp->SetTopWindow(frame_);
  frame_->Show();
  std::string pattern = (std::filesystem::temp_directory_path() / "quillmap-form-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  Pump();
}

void FormTest::TearDown() {
  // Close without being asked to save: nothing of a test is kept.
  for (wxDocument* doc : manager_->GetDocumentsVector()) {
    for (wxView* view : doc->GetViewsVector()) {
      if (auto* form = dynamic_cast<CFuncView*>(view)) form->ClearFunctionFields();
    }
    doc->Modify(false);
  }
  manager_->CloseDocuments(true);
  Pump();
  frame_->Destroy();
  Pump();
  delete manager_;
  manager_ = nullptr;
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string FormTest::TempPath(const std::string& file_name) const {
  return folder_ + "/" + file_name;
}

std::string FormTest::WriteDocument(const quillmap::SpecStore& store,
                                    const std::string& file_name) {
  const std::string path = TempPath(file_name);
  quillmap::SaveStoreToPath(store, path);
  return path;
}

CFuncDoc* FormTest::NewDocument() {
  auto* doc = wxDynamicCast(manager_->CreateDocument(wxString(), wxDOC_NEW), CFuncDoc);
  Pump();
  return doc;
}

CFuncDoc* FormTest::OpenDocument(const std::string& path) {
  auto* doc =
      wxDynamicCast(manager_->CreateDocument(wxString::FromUTF8(path), wxDOC_SILENT), CFuncDoc);
  Pump();
  return doc;
}

CFuncView* FormTest::ViewOf(CFuncDoc* doc) {
  return doc == nullptr ? nullptr : dynamic_cast<CFuncView*>(doc->GetFirstView());
}

void FormTest::ClickItem(wxListCtrl* list, long item) {
  list->SetItemState(item, wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED,
                     wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED);
}

void AddFunctions(quillmap::SpecStore& store, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    store.AddFunction(name);
    const std::int32_t index = store.FindFunction(name);
    quillmap::FunctionSpec function;
    store.GetFunction(index, function);
    function.SetReturnType("int");
    store.PutFunction(index, function);
  }
}

void AddStructs(quillmap::SpecStore& store, const std::vector<std::string>& names) {
  for (const std::string& name : names) store.AddStruct(name);
}
