#include "tests/ui/output/output_fixture.h"

#include <fstream>
#include <iterator>

#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dir.h>
#include <wx/radiobut.h>

#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/output/html_exporter.h"
#include "core/text/sjis.h"
#include "ui/doc/func_doc.h"
#include "ui/output/clipboard_command.h"
#include "ui/view/func_view.h"

int FormatAnswer::OnInvoked(CHtmlFormatDlg* dialog) const {
  if (seen_ != nullptr) {
    for (unsigned slot = 0; slot < seen_->attributes.size(); ++slot) {
      seen_->attributes[slot] = dialog->AttributeBox(slot)->IsChecked();
    }
    seen_->frames_enabled =
        dialog->NoFramesButton()->IsEnabled() || dialog->FramesButton()->IsEnabled();
    seen_->sorting_enabled =
        dialog->SortByNameBox()->IsEnabled() && dialog->SortByAttributeBox()->IsEnabled();
    seen_->shown = true;
  }
  for (unsigned slot = 0; slot < flags_.size(); ++slot) {
    dialog->AttributeBox(slot)->SetValue(flags_[slot] != 0);
  }
  dialog->SortByNameBox()->SetValue(sort_);
  dialog->SortByAttributeBox()->SetValue(sort_);
  if (answer_ == wxID_OK) dialog->TransferDataFromWindow();
  return answer_;
}

CFuncDoc* OutputTest::OpenExample() {
  using quillmap::text::Sjis;
  quillmap::SpecStore store;
  const std::pair<const char*, int> functions[] = {
      {"add", quillmap::kAttrPublic},      {"helper", quillmap::kAttrStatic},
      {"guard", quillmap::kAttrProtected}, {"secret", quillmap::kAttrPrivate},
      {"fast", quillmap::kAttrInline},
  };
  for (const auto& [name, attribute] : functions) {
    store.AddFunction(name);
    quillmap::FunctionSpec function;
    const std::int32_t index = store.FindFunction(name);
    store.GetFunction(index, function);
    function.SetAttribute(attribute);
    function.SetReturnType("int");
    function.SetIndex(Sjis("見出し ") + name);
    store.PutFunction(index, function);
  }
  quillmap::FunctionSpec add;
  store.GetFunction(0, add);
  add.AddArgument("int", "a", "first");
  add.AddArgument("int", "b", "second");
  add.SetReturnText("sum");
  add.SetExplanation("adds");
  store.PutFunction(0, add);
  store.AddStruct("POINT");
  store.AddStruct("RECT");
  quillmap::SaveStoreToPath(store, DocumentPath());

  if (!Start(wxString::FromUTF8(DocumentPath()))) return nullptr;
  doc_ = wxDynamicCast(Documents().at(0), CFuncDoc);
  return doc_;
}

CFuncView* OutputTest::View() const {
  return doc_ == nullptr ? nullptr : dynamic_cast<CFuncView*>(doc_->GetFirstView());
}

wxFrame* OutputTest::Child() const {
  return static_cast<wxFrame*>(View()->GetFrame());
}

std::string OutputTest::ExpectedPage(const quillmap::AttributeFlags& flags) const {
  quillmap::HtmlExporter exporter;
  exporter.Attach(&doc_->Store());
  for (unsigned slot = 0; slot < flags.size(); ++slot) exporter.SetAttributeFlag(slot, flags[slot]);
  quillmap::File memory;
  memory.OpenMemoryWrite();
  exporter.Write(&memory);
  return memory.MemoryBytes();
}

std::string ReadBytes(const wxString& path) {
  std::ifstream in(path.utf8_string(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int EntriesIn(const wxString& folder) {
  wxArrayString names;
  return static_cast<int>(
      wxDir::GetAllFiles(folder, &names, wxString(), wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN));
}

void PutTextOnClipboard(const wxString& text) {
  ASSERT_TRUE(wxTheClipboard->Open());
  wxTheClipboard->SetData(new wxTextDataObject(text));
  wxTheClipboard->Close();
}

wxString ClipboardText() {
  wxTextDataObject text;
  if (!wxTheClipboard->Open()) return wxString();
  const bool got = wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && wxTheClipboard->GetData(text);
  wxTheClipboard->Close();
  return got ? text.GetText() : wxString();
}

std::string ClipboardShiftJis() {
  const wxDataFormat format(wxString::FromUTF8(kShiftJisTextFormat));
  wxCustomDataObject bytes(format);
  if (!wxTheClipboard->Open()) return std::string();
  const bool got = wxTheClipboard->IsSupported(format) && wxTheClipboard->GetData(bytes);
  wxTheClipboard->Close();
  return got ? std::string(static_cast<const char*>(bytes.GetData()), bytes.GetSize())
             : std::string();
}
