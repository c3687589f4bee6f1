#include "ui/dialogs/doc_info_dlg.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/statbox.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

CDocInfoDlg::CDocInfoDlg(wxWindow* parent)
    : wxDialog(parent, ids::kDocInfoDialog, U("ﾄﾞｷｭﾒﾝﾄ情報"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  // Layout in dialog units: two framed one-line edits above the OK and Cancel buttons.
  new wxStaticBox(this, wxID_ANY, U("ﾄﾞｷｭﾒﾝﾄﾀｲﾄﾙ"), du.Point(7, 7), du.Size(186, 32));
  new wxStaticBox(this, wxID_ANY, U("Copyright"), du.Point(7, 43), du.Size(186, 32));
  title_ = new SjisTextCtrl(this, ids::kDocInfoTitle, du.Point(14, 19), du.Size(172, 14), 0);
  copyright_ =
      new SjisTextCtrl(this, ids::kDocInfoCopyright, du.Point(14, 55), du.Size(172, 14), 0);
  auto* ok = new wxButton(this, wxID_OK, U("OK"), du.Point(89, 81), du.Size(50, 14));
  new wxButton(this, wxID_CANCEL, U("ｷｬﾝｾﾙ"), du.Point(143, 81), du.Size(50, 14));
  ok->SetDefault();
  SetClientSize(du.Size(200, 102));
  title_->SetFocus();
}

bool CDocInfoDlg::TransferDataToWindow() {
  title_->SetBytes(info_.GetDocInfo(quillmap::kDocInfoTitle));
  copyright_->SetBytes(info_.GetDocInfo(quillmap::kDocInfoCopyright));
  return true;
}

bool CDocInfoDlg::TransferDataFromWindow() {
  const quillmap::text::EncodeResult title = title_->GetBytes();
  const quillmap::text::EncodeResult copyright = copyright_->GetBytes();
  for (const auto* result : {&title, &copyright}) {
    if (!result->ok) {
      // Keep the dialog open with the text as typed.
      ShowMessageBox(this, UnencodableMessage(*result), LoadWxString(ids::kStrAppName),
                     wxOK | wxICON_STOP);
      return false;
    }
  }
  info_.SetDocInfo(quillmap::kDocInfoTitle, title.bytes);
  info_.SetDocInfo(quillmap::kDocInfoCopyright, copyright.bytes);
  return true;
}
