#include "ui/dialogs/arg_dlg.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include "ui/res/ids.h"
#include "ui/widgets/dialog_keys.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

CArgDlg::CArgDlg(wxWindow* parent, const wxString& caption)
    // The template's title "引数の入力" is always replaced by the caller's caption.
    : wxDialog(parent, ids::kArgDialog, caption, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  // Created in the template's order, which is also the Tab order.
  auto label = [&](const char* text, int x, int y, int width) {
    new wxStaticText(this, wxID_ANY, U(text), du.Point(x, y), du.Size(width, 8),
                     wxST_NO_AUTORESIZE);
  };
  auto edit = [&](int id, int y) {
    return new SjisTextCtrl(this, id, du.Point(27, y), du.Size(136, 12), 0);
  };
  label("型", 10, 12, 8);
  type_edit_ = edit(ids::kArgType, 10);
  label("名前", 10, 27, 15);
  name_edit_ = edit(ids::kArgName, 26);
  label("説明", 10, 44, 15);
  description_edit_ = edit(ids::kArgDescription, 42);
  auto* ok = new wxButton(this, wxID_OK, U("OK"), du.Point(38, 59), du.Size(50, 14));
  new wxButton(this, wxID_CANCEL, U("ｷｬﾝｾﾙ"), du.Point(90, 59), du.Size(50, 14));
  ok->SetDefault();
  // GTK leaves Return in a one-line edit to the edit.
  for (wxWindow* edit : {type_edit_, name_edit_, description_edit_}) {
    ReturnPressesDefaultButton(this, edit);
  }
  SetClientSize(du.Size(171, 85));
  type_edit_->SetFocus();
}

bool CArgDlg::TransferDataToWindow() {
  type_edit_->SetBytes(texts_.type);
  name_edit_->SetBytes(texts_.name);
  description_edit_->SetBytes(texts_.description);
  return true;
}

bool CArgDlg::TransferDataFromWindow() {
  const quillmap::text::EncodeResult type = type_edit_->GetBytes();
  const quillmap::text::EncodeResult name = name_edit_->GetBytes();
  const quillmap::text::EncodeResult description = description_edit_->GetBytes();
  for (const auto* result : {&type, &name, &description}) {
    if (!result->ok) {
      ShowUnencodable(this, *result);
      return false;
    }
  }
  texts_ = {type.bytes, name.bytes, description.bytes};
  return true;
}
