#include "ui/dialogs/html_format_dlg.h"

#include <utility>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>

#include "ui/res/ids.h"
#include "ui/widgets/dialog_units.h"

namespace {

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

// A check box of the template: id, text and place in dialog units.
struct BoxPlace {
  int id;
  const char* text;
  int x, y, width;
};

}  // namespace

CHtmlFormatDlg::CHtmlFormatDlg(wxWindow* parent)
    : wxDialog(parent, ids::kHtmlFormatDialog, U("html出力形式"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  // Controls in the template's order, which is also the Tab order.
  auto* ok = new wxButton(this, wxID_OK, U("OK"), du.Point(153, 11), du.Size(50, 14));
  new wxButton(this, wxID_CANCEL, U("ｷｬﾝｾﾙ"), du.Point(153, 28), du.Size(50, 14));
  auto* frames_group =
      new wxStaticBox(this, wxID_ANY, U("出力形式"), du.Point(7, 7), du.Size(135, 34));
  frames_group->Disable();
  no_frames_ = new wxRadioButton(this, ids::kHtmlNoFrames, U("フレーム無し"), du.Point(13, 17),
                                 du.Size(53, 10), wxRB_GROUP);
  frames_ = new wxRadioButton(this, ids::kHtmlFrames, U("フレームあり"), du.Point(13, 28),
                              du.Size(53, 10));
  no_frames_->Disable();
  frames_->Disable();
  new wxStaticBox(this, wxID_ANY, U("ソート"), du.Point(7, 47), du.Size(196, 37));
  sort_by_name_ = new wxCheckBox(this, ids::kHtmlSortByName, U("名前でｿｰﾄを行う"), du.Point(13, 57),
                                 du.Size(65, 10));
  sort_by_attribute_ = new wxCheckBox(this, ids::kHtmlSortByAttribute, U("属性ｿｰﾄを行う"),
                                      du.Point(13, 70), du.Size(59, 10));
  new wxStaticBox(this, wxID_ANY, U("属性出力"), du.Point(7, 89), du.Size(196, 56));

  // Attribute slot of each box, in the template's order of the boxes.
  constexpr std::array<std::pair<unsigned, BoxPlace>, quillmap::kFuncAttributeCount> kBoxes = {{
      {quillmap::kAttrPublic, {ids::kHtmlPublic, "public", 13, 103, 33}},
      {quillmap::kAttrProtected, {ids::kHtmlProtected, "protected", 13, 116, 43}},
      {quillmap::kAttrPrivate, {ids::kHtmlPrivate, "private", 13, 130, 36}},
      {quillmap::kAttrStatic, {ids::kHtmlStatic, "static", 59, 104, 33}},
      {quillmap::kAttrInline, {ids::kHtmlInline, "inline", 59, 117, 31}},
  }};
  for (const auto& [slot, place] : kBoxes) {
    attribute_boxes_[slot] = new wxCheckBox(this, place.id, U(place.text),
                                            du.Point(place.x, place.y), du.Size(place.width, 10));
  }
  ok->SetDefault();
  ok->SetFocus();
  SetClientSize(du.Size(210, 151));
  TransferDataToWindow();
}

bool CHtmlFormatDlg::TransferDataToWindow() {
  for (wxCheckBox* box : attribute_boxes_) box->SetValue(true);
  return true;
}

bool CHtmlFormatDlg::TransferDataFromWindow() {
  for (unsigned slot = 0; slot < attribute_boxes_.size(); ++slot) {
    attribute_flags_[slot] = attribute_boxes_[slot]->IsChecked() ? 1 : 0;
  }
  return true;
}

int CHtmlFormatDlg::GetAttributeFlag(unsigned slot) const {
  return slot < attribute_flags_.size() ? attribute_flags_[slot] : 0;
}

wxCheckBox* CHtmlFormatDlg::AttributeBox(unsigned slot) const {
  return slot < attribute_boxes_.size() ? attribute_boxes_[slot] : nullptr;
}
