#include "ui/widgets/message_box.h"

#include <wx/msgdlg.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/sjis_field.h"

int ShowMessageBox(wxWindow* parent, const wxString& text, const wxString& caption, long style) {
  wxMessageDialog box(parent, text, caption, style);
  // GTK labels stock buttons in the desktop's language; ours read the same everywhere.
  const wxString yes = wxString::FromUTF8("はい(&Y)");
  const wxString no = wxString::FromUTF8("いいえ(&N)");
  const wxString cancel = wxString::FromUTF8("キャンセル");
  const wxString ok = wxS("OK");
  if ((style & wxYES_NO) != 0 && (style & wxCANCEL) != 0) {
    box.SetYesNoCancelLabels(yes, no, cancel);
  } else if ((style & wxYES_NO) != 0) {
    box.SetYesNoLabels(yes, no);
  } else if ((style & wxCANCEL) != 0) {
    box.SetOKCancelLabels(ok, cancel);
  } else {
    box.SetOKLabel(ok);
  }
  return box.ShowModal();
}

void ShowStopBox(wxWindow* parent, int caption_id, int text_id) {
  ShowMessageBox(parent, LoadWxString(text_id), LoadWxString(caption_id), wxOK | wxICON_STOP);
}

bool ConfirmDelete(wxWindow* parent, int caption_id, std::string_view entry) {
  // The entry is a record text: put it in as it is shown, so that no byte of it can be taken
  // for a format directive.
  wxString text = LoadWxString(ids::kStrConfirmDelete);
  text.Replace(wxS("%s"), SjisToWx(entry), false);
  return ShowMessageBox(parent, text, LoadWxString(caption_id),
                        wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION) == wxID_YES;
}

void ShowUnencodable(wxWindow* parent, const quillmap::text::EncodeResult& result) {
  ShowMessageBox(parent, UnencodableMessage(result), LoadWxString(ids::kStrAppName),
                 wxOK | wxICON_STOP);
}
