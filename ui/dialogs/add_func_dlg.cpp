#include "ui/dialogs/add_func_dlg.h"

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

CAddFuncDlg::CAddFuncDlg(wxWindow* parent)
    : wxDialog(parent, ids::kAddFuncDialog, U("関数の追加"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  // Created in the template's order, which is also the Tab order.
  new wxStaticText(this, wxID_ANY, U("新しい関数名"), du.Point(8, 9), du.Size(49, 8),
                   wxST_NO_AUTORESIZE);
  entry_ = new SjisTextCtrl(this, ids::kAddFuncEdit, du.Point(7, 21), du.Size(111, 13), 0);
  ok_ = new wxButton(this, wxID_OK, U("OK"), du.Point(123, 10), du.Size(36, 14));
  new wxButton(this, wxID_CANCEL, U("CANCEL"), du.Point(123, 26), du.Size(36, 14));
  ok_->SetDefault();
  // GTK leaves Return in a one-line edit to the edit.
  ReturnPressesDefaultButton(this, entry_);
  ok_->Disable();
  SetClientSize(du.Size(169, 51));
  entry_->Bind(wxEVT_TEXT, &CAddFuncDlg::OnEntryChanged, this);
  entry_->SetFocus();
}

void CAddFuncDlg::OnEntryChanged(wxCommandEvent& event) {
  event.Skip();
  ok_->Enable(!entry_->GetValue().empty());
}

bool CAddFuncDlg::TransferDataFromWindow() {
  const quillmap::text::EncodeResult entered = entry_->GetBytes();
  if (!entered.ok) {
    ShowUnencodable(this, entered);
    return false;
  }
  text_ = entered.bytes;
  return true;
}
