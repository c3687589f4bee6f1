#include "ui/output/clipboard_command.h"

#include <string>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "core/model/spec_store.h"
#include "core/output/clipboard_text.h"
#include "core/text/sjis.h"
#include "ui/dialogs/func_spec_settings_dlg.h"
#include "ui/output/config_profile.h"

bool CopySpecToClipboard(const quillmap::SpecStore& store, std::int32_t index) {
  if (index < 0) return false;
  quillmap::FunctionSpec function;
  // A deleted function leaves an index that names another function or none at all; copying
  // from none would put an empty block on the clipboard and lose what it held.
  if (!store.GetFunction(index, function)) return false;
  std::string block;
  quillmap::ClipboardSpecText(block, function, LoadEditorClipboardSettings());

  // Opened by someone else (a paste being served): leave it alone.
  if (wxTheClipboard->IsOpened() || !wxTheClipboard->Open()) return false;
  auto* composite = new wxDataObjectComposite;
  const std::string utf8 = quillmap::text::SjisToUtf8(block);
  composite->Add(new wxTextDataObject(wxString::FromUTF8(utf8.data(), utf8.size())), true);
  auto* sjis = new wxCustomDataObject(wxDataFormat(wxString(kShiftJisTextFormat)));
  sjis->SetData(block.size() + 1, block.c_str());  // with its terminating zero
  composite->Add(sjis);
  const bool placed = wxTheClipboard->SetData(composite);
  wxTheClipboard->Close();
  return placed;
}

void EditClipboardSpecSettings(wxWindow* parent) {
  CFuncSpecSettingsDlg dialog(parent);
  dialog.SetFlags(LoadEditorClipboardSettings());
  const int result = dialog.ShowModal();
  if (result == wxID_OK || result == wxID_CANCEL) SaveEditorClipboardSettings(dialog.GetFlags());
}
