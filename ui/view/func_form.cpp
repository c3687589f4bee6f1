#include "ui/view/func_form.h"

#include <vector>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/scrolwin.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "ui/res/ids.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"
#include "ui/widgets/tab_order.h"

namespace {

struct Rect {
  int x, y, width, height;
};

struct StaticItem {
  bool group;
  const char* text;  // UTF-8
  Rect rect;
};

// Group boxes and labels; created first so that they lie beneath the controls they frame.
const StaticItem kStatics[] = {
    {true, "関数ﾘｽﾄ", {7, 7, 102, 136}},     {true, "関数定義", {110, 7, 267, 242}},
    {true, "構造体ﾘｽﾄ", {7, 146, 102, 103}}, {false, "関数名", {117, 21, 22, 8}},
    {false, "属性", {252, 21, 15, 8}},       {false, "見出し", {118, 36, 20, 8}},
    {false, "引数ﾘｽﾄ", {116, 49, 26, 8}},    {false, "戻り値", {119, 121, 20, 8}},
    {false, "解説", {120, 158, 15, 8}},      {false, "備考", {120, 191, 15, 8}},
    {false, "関連", {120, 218, 15, 8}},      {false, "更新履歴", {115, 237, 28, 8}},
};

enum class Kind {
  kButton,
  kNameList,      // function and structure lists: no header, label editing
  kArgumentList,  // header, no label editing
  kReadOnlyEdit,
  kEdit,
  kMultiLineEdit,
  kTypeCombo,      // edit field with a sorted drop-down list
  kAttributeList,  // drop-down list, unsorted, the five attribute words
  kSortedList,     // drop-down list, sorted
  kPlainList,      // drop-down list, unsorted
};

struct Control {
  int id;
  Kind kind;
  const char* text;  // UTF-8, buttons only
  Rect rect;
};

// Every focusable control, in tab order.
const Control kControls[] = {
    {ids::kAddFunction, Kind::kButton, "追加", {18, 18, 26, 14}},
    {ids::kDeleteFunction, Kind::kButton, "削除", {45, 18, 26, 14}},
    {ids::kCopyFunction, Kind::kButton, "ｺﾋﾟｰ", {72, 18, 26, 14}},
    {ids::kFunctionList, Kind::kNameList, nullptr, {8, 33, 99, 108}},
    {ids::kNameEdit, Kind::kReadOnlyEdit, nullptr, {146, 18, 103, 14}},
    {ids::kAttributeCombo, Kind::kAttributeList, nullptr, {271, 18, 103, 77}},
    {ids::kHeadingEdit, Kind::kEdit, nullptr, {146, 33, 227, 14}},
    {ids::kAddArgument, Kind::kButton, "追加", {116, 60, 24, 14}},
    {ids::kDeleteArgument, Kind::kButton, "削除", {116, 75, 24, 14}},
    {ids::kCopyArgument, Kind::kButton, "ｺﾋﾟｰ", {116, 91, 24, 14}},
    {ids::kArgumentList, Kind::kArgumentList, nullptr, {147, 50, 227, 57}},
    {ids::kReturnTypeCombo, Kind::kTypeCombo, nullptr, {146, 109, 164, 74}},
    {ids::kReturnTextEdit, Kind::kMultiLineEdit, nullptr, {146, 124, 228, 22}},
    {ids::kExplanation, Kind::kMultiLineEdit, nullptr, {146, 148, 228, 31}},
    {ids::kNote, Kind::kMultiLineEdit, nullptr, {146, 181, 228, 29}},
    {ids::kAddRelated, Kind::kButton, "追加", {147, 215, 32, 13}},
    {ids::kRelatedCombo, Kind::kSortedList, nullptr, {180, 215, 194, 77}},
    {ids::kUpdateHistory, Kind::kButton, "更新", {147, 233, 32, 13}},
    {ids::kHistoryCombo, Kind::kPlainList, nullptr, {180, 234, 194, 77}},
    {ids::kStructureList, Kind::kNameList, nullptr, {8, 172, 99, 75}},
    {ids::kAddStructure, Kind::kButton, "追加", {13, 156, 23, 14}},
    {ids::kDeleteStructure, Kind::kButton, "削除", {36, 156, 23, 14}},
    {ids::kCopyStructure, Kind::kButton, "ｺﾋﾟｰ", {59, 156, 23, 14}},
    {ids::kEditStructure, Kind::kButton, "編集", {82, 156, 23, 14}},
};

constexpr int kComboHeightDu = 14;

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

wxSize BuildFuncForm(wxScrolledWindow* form, FormControls& c) {
  UseCompactControls(form);
  const DialogUnits du(form);
  for (const StaticItem& item : kStatics) {
    const wxPoint pos = du.Point(item.rect.x, item.rect.y);
    const wxSize size = du.Size(item.rect.width, item.rect.height);
    if (item.group) {
      new wxStaticBox(form, wxID_ANY, U(item.text), pos, size);
    } else {
      new wxStaticText(form, wxID_ANY, U(item.text), pos, size, wxST_NO_AUTORESIZE);
    }
  }
  std::vector<wxWindow*> tab_order;
  for (const Control& item : kControls) {
    const wxPoint pos = du.Point(item.rect.x, item.rect.y);
    const wxSize size = du.Size(item.rect.width, item.rect.height);
    // The template's height of a combo box is that of its open list; closed, it is as high as
    // a one-line edit.
    const wxSize combo_size(size.x, du.Y(kComboHeightDu));
    switch (item.kind) {
      case Kind::kButton: {
        // Window ids stop at 32767; the command buttons (32778 to 32780) take their command's
        // number after creation, so that their clicks carry it like the menu items do.
        const bool command_id = item.id > 32767;
        auto* button = new wxButton(form, command_id ? wxID_ANY : item.id, U(item.text), pos, size);
        if (command_id) button->SetId(item.id);
        c.buttons[item.id] = button;
        break;
      }
      case Kind::kNameList: {
        auto* list = new SjisListCtrl(
            form, item.id, pos, size,
            wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL | wxLC_EDIT_LABELS | wxBORDER_SUNKEN);
        (item.id == ids::kFunctionList ? c.functions : c.structures) = list;
        break;
      }
      case Kind::kArgumentList:
        c.arguments = new SjisListCtrl(form, item.id, pos, size,
                                       wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
        break;
      case Kind::kReadOnlyEdit:
        c.name = new SjisTextCtrl(form, item.id, pos, size, wxTE_READONLY);
        break;
      case Kind::kEdit:
        c.heading = new SjisTextCtrl(form, item.id, pos, size, 0);
        break;
      case Kind::kMultiLineEdit: {
        auto* edit =
            new SjisTextCtrl(form, item.id, pos, size, wxTE_MULTILINE | wxTE_DONTWRAP | wxVSCROLL);
        if (item.id == ids::kReturnTextEdit) c.return_text = edit;
        if (item.id == ids::kExplanation) c.explanation = edit;
        if (item.id == ids::kNote) c.note = edit;
        break;
      }
      case Kind::kTypeCombo:
        c.return_type = new SjisComboBox(form, item.id, pos, combo_size, wxCB_DROPDOWN | wxCB_SORT);
        break;
      case Kind::kAttributeList:
        c.attribute = new wxChoice(form, item.id, pos, combo_size);
        break;
      case Kind::kSortedList:
        c.related = new SjisChoice(form, item.id, pos, combo_size, wxCB_SORT);
        break;
      case Kind::kPlainList:
        c.history = new SjisChoice(form, item.id, pos, combo_size, 0);
        break;
    }
    wxWindow* control = form->GetChildren().back();
    UseFontInDropDown(control);  // passes over all but combo boxes
    tab_order.push_back(control);
  }
  UseTabOrder(form, std::move(tab_order));
  const wxSize form_size = du.Size(kFormWidthDu, kFormHeightDu);
  form->SetVirtualSize(form_size);
  return form_size;
}
