#include "ui/dialogs/history_edit_dlg.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

#include "core/model/history.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/date_field.h"
#include "ui/widgets/dialog_keys.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

CHistoryEditDlg::CHistoryEditDlg(wxWindow* parent)
    : wxDialog(parent, ids::kHistoryEditDialog, U("履歴の編集"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  // Layout in dialog units, in tab order: the date, the comment below it, then OK and Cancel.
  new wxStaticText(this, wxID_ANY, U("更新日"), du.Point(7, 10), du.Size(28, 8));
  date_field_ = new DateField(this, ids::kHistoryDate, du.Point(38, 7), du.Size(76, 14));
  new wxStaticText(this, wxID_ANY, U("ｺﾒﾝﾄ"), du.Point(7, 27), du.Size(28, 8));
  // Multi-line: Enter starts a new line here instead of pressing OK.
  comment_edit_ = new SjisTextCtrl(this, ids::kHistoryComment, du.Point(7, 37), du.Size(206, 58),
                                   wxTE_MULTILINE | wxVSCROLL);
  auto* ok = new wxButton(this, wxID_OK, U("OK"), du.Point(109, 101), du.Size(50, 14));
  new wxButton(this, wxID_CANCEL, U("ｷｬﾝｾﾙ"), du.Point(163, 101), du.Size(50, 14));
  ok->SetDefault();
  SetClientSize(du.Size(220, 122));
  ReturnPressesDefaultButton(this, date_field_->Text());
  date_field_->Text()->SetFocus();
}

void CHistoryEditDlg::SetValues(std::time_t date, std::string_view comment) {
  date_ = date;
  comment_.assign(comment);
}

bool CHistoryEditDlg::TransferDataToWindow() {
  // Through the calendar day, not wxDateTime(time_t): that one can't take days before 1970.
  std::tm local{};
  if (localtime_r(&date_, &local) != nullptr) {
    date_field_->SetDay({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
  }
  comment_edit_->SetBytes(comment_);
  return true;
}

bool CHistoryEditDlg::TransferDataFromWindow() {
  const quillmap::text::EncodeResult comment = comment_edit_->GetBytes();
  if (!comment.ok) {
    // Typing such a character is refused as it happens; should one get through, say so and
    // keep the dialog open with the text as it is.
    ShowMessageBox(this, UnencodableMessage(comment), LoadWxString(ids::kStrAppName),
                   wxOK | wxICON_STOP);
    return false;
  }
  const std::optional<quillmap::CalendarDay> day = date_field_->GetDay();
  if (!day) {
    ShowMessageBox(this, LoadWxString(ids::kStrUnreadableDate, date_field_->Text()->GetValue()),
                   LoadWxString(ids::kStrAppName), wxOK | wxICON_STOP);
    date_field_->Text()->SetFocus();
    date_field_->Text()->SelectAll();
    return false;
  }
  date_ = quillmap::LocalMidnight(day->year, day->month, day->day);
  comment_ = comment.bytes;
  return true;
}
