#include "ui/dialogs/struct_def_dlg.h"

#include <initializer_list>
#include <utility>

#include <wx/button.h>
#include <wx/stattext.h>

#include "core/edit/struct_fields.h"
#include "ui/dialogs/arg_dlg.h"
#include "ui/dialogs/related_func_dlg.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/dialog_keys.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

constexpr int kTypeColumnWidth = 120;  // pixels, and the same for the variable name
constexpr int kCaptionCopy = 40010;  // "構造体をｺﾋﾟｰして追加\n構造体のｺﾋﾟｰ"
constexpr int kCaptionDeleteMember = 40012;
constexpr int kCaptionEditMember = 40014;  // "ﾒﾝﾊﾞ変数の編集", the argument dialog's title
constexpr int kCaptionRename = 40015;      // "構造体名の編集\n構造体名の編集"
constexpr int kTextNoMemberToDelete = 40110;
constexpr int kTextNoMemberToCopy = 40111;
constexpr int kTextSelectMemberToDelete = 40112;
constexpr int kTextEnterName = 40114;

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

CStructDefDlg::CStructDefDlg(wxWindow* parent)
    : wxDialog(parent, ids::kStructDefDialog, U("構造体定義"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  auto label = [&](const char* text, int y) {
    new wxStaticText(this, wxID_ANY, U(text), du.Point(7, y), du.Size(34, 8), wxST_NO_AUTORESIZE);
  };
  // Created in tab order: name, heading, the member list with its buttons under it, the
  // explanation, the related entries, then OK and Cancel. Labels sit to the left of their fields.
  label("構造体名", 10);
  name_ = new SjisTextCtrl(this, ids::kStructName, du.Point(44, 7), du.Size(249, 14), 0);
  label("見出し", 26);
  heading_ = new SjisTextCtrl(this, ids::kStructHeading, du.Point(44, 23), du.Size(249, 14), 0);
  label("ﾒﾝﾊﾞ変数", 42);
  members_ =
      new SjisListCtrl(this, ids::kStructMembers, du.Point(44, 40), du.Size(249, 84),
                       wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_NO_SORT_HEADER | wxBORDER_SUNKEN);
  auto* add =
      new wxButton(this, ids::kStructAddMember, U("追加"), du.Point(44, 127), du.Size(36, 14));
  auto* remove =
      new wxButton(this, ids::kStructDeleteMember, U("削除"), du.Point(83, 127), du.Size(36, 14));
  auto* copy =
      new wxButton(this, ids::kStructCopyMember, U("ｺﾋﾟｰ"), du.Point(122, 127), du.Size(36, 14));
  label("解説", 148);
  explanation_ = new SjisTextCtrl(this, ids::kStructExplanation, du.Point(44, 145),
                                  du.Size(249, 42), wxTE_MULTILINE | wxTE_DONTWRAP | wxVSCROLL);
  label("関連", 194);
  auto* add_related =
      new wxButton(this, ids::kStructAddRelated, U("追加"), du.Point(44, 191), du.Size(32, 14));
  related_ =
      new SjisChoice(this, ids::kStructRelated, du.Point(79, 191), du.Size(214, 14), wxCB_SORT);
  auto* ok = new wxButton(this, wxID_OK, U("OK"), du.Point(189, 214), du.Size(50, 14));
  new wxButton(this, wxID_CANCEL, U("ｷｬﾝｾﾙ"), du.Point(243, 214), du.Size(50, 14));
  ok->SetDefault();
  SetClientSize(du.Size(300, 235));
  InsertColumns();

  // Until a name is typed, nothing but the name and Cancel can be used.
  needs_name_ = {add, copy, remove, ok, members_, explanation_, heading_, related_, add_related};
  for (wxWindow* window : needs_name_) window->Disable();

  name_->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
    event.Skip();
    OnNameChange();
  });
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnAddMember(); }, ids::kStructAddMember);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnDeleteMember(); }, ids::kStructDeleteMember);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnCopyMember(); }, ids::kStructCopyMember);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnAddRelated(); }, ids::kStructAddRelated);
  members_->Bind(wxEVT_LIST_KEY_DOWN, [this](wxListEvent& event) {
    switch (event.GetKeyCode()) {
      case WXK_INSERT:
      case WXK_NUMPAD_INSERT:
        CallAfter(&CStructDefDlg::OnAddMember);
        break;
      case WXK_DELETE:
      case WXK_NUMPAD_DELETE:
        CallAfter(&CStructDefDlg::OnDeleteMember);
        break;
      default:
        event.Skip();
    }
  });
  // A double click anywhere in the list, on a row or below the rows, edits the marked row: the
  // rows' own window sees both.
  members_->GetTargetWindow()->Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent& event) {
    event.Skip();
    CallAfter(&CStructDefDlg::OnEditMember);
  });
  // Return presses OK everywhere but in the multi-line explanation, where it breaks the line.
  for (wxWindow* control : std::initializer_list<wxWindow*>{name_, heading_, members_, related_}) {
    ReturnPressesDefaultButton(this, control);
  }
  name_->SetFocus();
}

void CStructDefDlg::InsertColumns() {
  members_->InsertColumn(0, U("型"), wxLIST_FORMAT_LEFT, kTypeColumnWidth);
  members_->InsertColumn(1, U("変数名"), wxLIST_FORMAT_LEFT, kTypeColumnWidth);
  members_->InsertColumn(2, U("説明"), wxLIST_FORMAT_LEFT,
                         members_->GetClientSize().x - 2 * kTypeColumnWidth);
}

void CStructDefDlg::SetStruct(const quillmap::StructSpec& record) {
  record_.CopyFrom(&record);
}

// ---- transfer ---------------------------------------------------------------------------------

bool CStructDefDlg::TransferDataToWindow() {
  const quillmap::StructFields fields = quillmap::ReadStructFields(record_);
  name_->SetBytes(fields.name);
  // Setting a text by program sends no change notice: follow the name here.
  OnNameChange();
  explanation_->SetBytes(fields.explanation);
  heading_->SetBytes(fields.heading);
  members_->DeleteAllRows();
  for (const quillmap::ArgumentTexts& member : fields.members) {
    AppendMember(member.type, member.name, member.description);
  }
  related_->Clear();
  for (const std::string& link : fields.links) related_->AppendBytes(link);
  if (related_->GetCount() > 0) related_->SetSelection(0);
  return true;
}

bool CStructDefDlg::TransferDataFromWindow() {
  const quillmap::text::EncodeResult name = name_->GetBytes();
  const quillmap::text::EncodeResult heading = heading_->GetBytes();
  const quillmap::text::EncodeResult explanation = explanation_->GetBytes();
  for (const auto* result : {&name, &heading, &explanation}) {
    if (!result->ok) {
      // Typing such a character is refused as it happens; should one get through, say so and
      // keep the dialog open with the text as it is.
      ShowUnencodable(this, *result);
      return false;
    }
  }
  // OK is disabled without a name; a name that the typing guard took back can still get here.
  if (name.bytes.empty()) {
    ShowStop(kCaptionRename, kTextEnterName);
    return false;
  }
  if (name_refused_ && name_refused_(name.bytes)) return false;

  quillmap::StructFields fields;
  fields.name = name.bytes;
  fields.heading = heading.bytes;
  fields.explanation = explanation.bytes;
  const long rows = members_->GetItemCount();
  fields.members.reserve(static_cast<std::size_t>(rows));
  for (long row = 0; row < rows; ++row) {
    fields.members.push_back({members_->GetCellBytes(row, 0), members_->GetCellBytes(row, 1),
                              members_->GetCellBytes(row, 2)});
  }
  // The combo's order is its sorted order, whatever order the entries were chosen in.
  for (unsigned int i = 0; i < related_->GetCount(); ++i) {
    fields.links.push_back(related_->EntryBytes(i));
  }
  quillmap::RebuildStruct(record_, fields);
  return true;
}

// ---- members ----------------------------------------------------------------------------------

void CStructDefDlg::AppendMember(std::string_view type, std::string_view name,
                                 std::string_view description) {
  members_->AppendRow({type, name, description});
}

long CStructDefDlg::MarkedRow() const {
  const long mark = members_->GetSelectionMark();
  return mark >= 0 && mark < members_->GetItemCount() ? mark : -1;
}

void CStructDefDlg::ShowStop(int caption_id, int text_id) {
  ShowStopBox(this, caption_id, text_id);
}

void CStructDefDlg::OnAddMember() {
  const quillmap::ArgumentTexts member = quillmap::NewMember();
  AppendMember(member.type, member.name, member.description);
}

void CStructDefDlg::OnDeleteMember() {
  if (members_->GetItemCount() == 0) {
    ShowStop(kCaptionDeleteMember, kTextNoMemberToDelete);
    return;
  }
  const long row = MarkedRow();
  if (row < 0) {
    ShowStop(kCaptionDeleteMember, kTextSelectMemberToDelete);
    return;
  }
  // The question names the member's type.
  if (ConfirmDelete(this, kCaptionDeleteMember, members_->GetCellBytes(row, 0))) {
    members_->DeleteRow(row);
  }
}

void CStructDefDlg::OnCopyMember() {
  const long row = MarkedRow();
  if (members_->GetItemCount() == 0 || row < 0) {
    ShowStop(kCaptionCopy, kTextNoMemberToCopy);
    return;
  }
  AppendMember(members_->GetCellBytes(row, 0), members_->GetCellBytes(row, 1),
               members_->GetCellBytes(row, 2));
}

void CStructDefDlg::OnEditMember() {
  const long row = MarkedRow();
  if (row < 0) return;
  CArgDlg dialog(this, LoadWxString(kCaptionEditMember));
  dialog.SetTexts({members_->GetCellBytes(row, 0), members_->GetCellBytes(row, 1),
                   members_->GetCellBytes(row, 2)});
  if (dialog.ShowModal() != wxID_OK) return;
  // Written back as typed: a member may have any texts, empty ones included.
  const quillmap::ArgumentTexts& texts = dialog.GetTexts();
  members_->SetCellBytes(row, 0, texts.type);
  members_->SetCellBytes(row, 1, texts.name);
  members_->SetCellBytes(row, 2, texts.description);
}

// ---- name and related entries -----------------------------------------------------------------

void CStructDefDlg::OnNameChange() {
  const bool named = !name_->GetValue().empty();
  for (wxWindow* window : needs_name_) window->Enable(named);
}

void CStructDefDlg::OnAddRelated() {
  CRelatedFuncDlg dialog(this);
  dialog.SetCandidateList(candidate_list_);
  for (unsigned int i = 0; i < related_->GetCount(); ++i) {
    dialog.AddInitialChoice(related_->EntryBytes(i));
  }
  if (dialog.ShowModal() != wxID_OK) return;
  related_->Clear();
  for (int i = 0; i < dialog.GetResultCount(); ++i) related_->AppendBytes(dialog.GetResult(i));
  if (related_->GetCount() > 0) related_->SetSelection(0);
}
