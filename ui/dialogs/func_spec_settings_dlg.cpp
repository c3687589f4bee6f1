#include "ui/dialogs/func_spec_settings_dlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/statbox.h>

#include "ui/res/ids.h"
#include "ui/widgets/dialog_units.h"

namespace {

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

CFuncSpecSettingsDlg::CFuncSpecSettingsDlg(wxWindow* parent)
    : wxDialog(parent, ids::kFuncSpecSettingsDialog, U("関数仕様設定"), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  // Controls in the template's order, which is also the Tab order.
  auto* ok = new wxButton(this, wxID_OK, U("OK"), du.Point(160, 12), du.Size(50, 14));
  new wxButton(this, wxID_CANCEL, U("ｷｬﾝｾﾙ"), du.Point(160, 29), du.Size(50, 14));
  new wxStaticBox(this, wxID_ANY, U("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへの出力設定"), du.Point(7, 7), du.Size(150, 48));
  struct Place {
    quillmap::ClipboardSpecSettings bit;
    int id;
    const char* text;
    int x, y, width;
  };
  constexpr Place kPlaces[] = {
      {quillmap::clip_flag::kArguments, ids::kClipArguments, "引数ﾘｽﾄの出力(&A)", 14, 21, 71},
      {quillmap::clip_flag::kReturn, ids::kClipReturn, "戻り値の出力(&R)", 87, 21, 65},
      {quillmap::clip_flag::kExplanation, ids::kClipExplanation, "説明の出力(&E)", 14, 35, 59},
      {quillmap::clip_flag::kNote, ids::kClipNote, "補足の出力(&N)", 87, 35, 59},
  };
  for (int i = 0; i < 4; ++i) {
    const Place& place = kPlaces[i];
    boxes_[i] = {place.bit, new wxCheckBox(this, place.id, U(place.text),
                                           du.Point(place.x, place.y), du.Size(place.width, 10))};
  }
  ok->SetDefault();
  ok->SetFocus();
  SetClientSize(du.Size(221, 63));
  TransferDataToWindow();
}

void CFuncSpecSettingsDlg::SetFlags(quillmap::ClipboardSpecSettings flags) {
  flags_ = flags;
  TransferDataToWindow();
}

bool CFuncSpecSettingsDlg::TransferDataToWindow() {
  for (const Box& box : boxes_) box.control->SetValue((flags_ & box.bit) != 0);
  return true;
}

bool CFuncSpecSettingsDlg::TransferDataFromWindow() {
  flags_ = 0;
  for (const Box& box : boxes_) {
    if (box.control->IsChecked()) flags_ |= box.bit;
  }
  return true;
}

wxCheckBox* CFuncSpecSettingsDlg::BoxOf(quillmap::ClipboardSpecSettings bit) const {
  for (const Box& box : boxes_) {
    if (box.bit == bit) return box.control;
  }
  return nullptr;
}
