// Find in a function document: the Edit menu's find, find next and find previous (Ctrl+F, F3,
// Shift+F3), the find window, and the match shown in the form.

#include <limits>

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/statusbr.h>

#include "ui/dialogs/find_dlg.h"
#include "ui/doc/func_doc.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/view/func_view.h"
#include "ui/view/view_find.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

namespace find = quillmap::find;

namespace {

// Makes row the one selected, focused and marked item of a list, scrolled into view.
void SelectRow(SjisListCtrl* list, long row) {
  if (row < 0 || row >= list->GetItemCount()) return;
  for (long item = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
       item = list->GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
    if (item != row) list->SetItemState(item, 0, wxLIST_STATE_SELECTED);
  }
  list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                     wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  list->SetSelectionMark(row);
  list->EnsureVisible(row);
}

// Selects the bytes [begin, end) of text in an entry that shows text. Positions count
// characters; an entry that dropped the carriage returns of its line ends counts without them.
void SelectRange(wxTextEntry* entry, std::string_view text, const find::ByteRange& range) {
  wxString before = SjisToWx(text.substr(0, range.begin));
  wxString match = SjisToWx(text.substr(range.begin, range.end - range.begin));
  if (entry->GetValue().Find('\r') == wxNOT_FOUND) {
    before.Replace(wxS("\r"), wxString());
    match.Replace(wxS("\r"), wxString());
  }
  const long from = static_cast<long>(before.length());
  entry->SetSelection(from, from + static_cast<long>(match.length()));
}

}  // namespace

void CFuncView::BindFindCommands() {
  find_ = std::make_shared<ViewFind>(*this);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { find_->OpenWindow(); }, ids::kFind);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { find_->Step(true); }, ids::kFindNext);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { find_->Step(false); }, ids::kFindPrevious);
}

ViewFind::ViewFind(CFuncView& view) : view_(view) {}

ViewFind::~ViewFind() {
  if (CFindDlg* window = window_.get()) {
    window->Detach();
    window->Destroy();
  }
}

void ViewFind::OpenWindow() {
  if (window_.get() == nullptr) {
    window_ = new CFindDlg(
        view_.GetFrame(), [this](bool forward) { Step(forward); }, [this] { OnWindowClosed(); });
  }
  window_->Present();
}

std::int32_t ViewFind::ShownFunction() const {
  const quillmap::text::EncodeResult name = view_.NameEdit()->GetBytes();
  if (!name.ok || name.bytes.empty()) return -1;
  return view_.GetFuncDoc()->FindFunction(name.bytes);
}

find::Position ViewFind::From(bool forward) const {
  const find::Match& last = last_.match;
  if (has_last_ && view_.NameEdit()->GetBytes().bytes == last_shown_name_) {
    find::Position position = last.At();
    if (forward) ++position.offset;
    return position;
  }
  const std::int32_t shown = ShownFunction();
  if (shown >= 0) {
    return forward ? find::RecordStart(find::RecordKind::kFunction, shown)
                   : find::RecordEnd(find::RecordKind::kFunction, shown);
  }
  return forward ? find::RecordStart(find::RecordKind::kFunction, 0)
                 : find::RecordEnd(find::RecordKind::kStructure,
                                   std::numeric_limits<std::int32_t>::max());
}

void ViewFind::Step(bool forward) {
  CFindDlg* window = window_.get();
  if (window == nullptr || !window->HasText()) {
    OpenWindow();
    return;
  }
  const quillmap::text::EncodeResult text = window->Text();
  wxWindow* owner = window->IsShown() ? static_cast<wxWindow*>(window) : view_.Form();
  if (!text.ok) {
    ShowUnencodable(owner, text);
    return;
  }
  // Typing not yet stored is searched as the form shows it.
  view_.StoreIfEdited();
  const find::DocumentSearch search(view_.GetFuncDoc()->Store().Snapshot(), text.bytes,
                                    window->NamesOnly());
  find::Found found;
  const find::Position from = From(forward);
  if (!(forward ? search.Next(from, found) : search.Previous(from, found))) {
    ShowMessageBox(owner, LoadWxString(ids::kStrFindNotFound, window->Entry()->GetValue()),
                   LoadWxString(ids::kStrFindCaption), wxOK | wxICON_INFORMATION);
    return;
  }
  Show(found);
  SetStatus(found.wrapped
                ? LoadWxString(forward ? ids::kStrFindWrappedTop : ids::kStrFindWrappedEnd)
                : LoadWxString(ids::kStrReady));
}

void ViewFind::Show(const find::Found& found) {
  const find::Match& match = found.match;
  if (match.kind == find::RecordKind::kFunction) {
    if (ShownFunction() != match.record) view_.ShowFunction(match.record);
    SelectRow(view_.FunctionList(), match.record);
  } else {
    SelectRow(view_.StructureList(), match.record);
  }
  last_ = found;
  has_last_ = true;
  last_shown_name_ = view_.NameEdit()->GetBytes().bytes;
  last_control_ = Select(found);
}

wxWindow* ViewFind::Select(const find::Found& found) {
  const find::Match& match = found.match;
  if (match.kind == find::RecordKind::kStructure) return view_.StructureList();
  SjisTextCtrl* edit = nullptr;
  switch (match.field) {
    case find::Field::kName:
      edit = view_.NameEdit();
      break;
    case find::Field::kHeading:
      edit = view_.HeadingEdit();
      break;
    case find::Field::kReturnText:
      edit = view_.ReturnTextEdit();
      break;
    case find::Field::kExplanation:
      edit = view_.ExplanationEdit();
      break;
    case find::Field::kNote:
      edit = view_.NoteEdit();
      break;
    case find::Field::kAttribute:
      return view_.AttributeCombo();
    case find::Field::kReturnType: {
      SjisComboBox* combo = view_.ReturnTypeCombo();
      SelectRange(combo, found.text, match.range);
      return combo;
    }
    case find::Field::kArgument:
      SelectRow(view_.ArgumentList(), match.row);
      return view_.ArgumentList();
    case find::Field::kLink: {
      // The related combo sorts its entries: the entry is found by its bytes.
      SjisChoice* related = view_.RelatedCombo();
      for (unsigned int i = 0; i < related->GetCount(); ++i) {
        if (related->EntryBytes(i) == found.text) {
          related->SetSelection(static_cast<int>(i));
          break;
        }
      }
      return related;
    }
    case find::Field::kHistory: {
      SjisChoice* history = view_.HistoryCombo();
      if (match.row < history->GetCount()) history->SetSelection(static_cast<int>(match.row));
      return history;
    }
    case find::Field::kMember:
      return view_.StructureList();
  }
  if (edit == nullptr) return nullptr;
  SelectRange(edit, found.text, match.range);
  // A multi-line field scrolls to the match; in a one-line field moving the caret would drop
  // the selection (and the field shows its caret by itself).
  if (edit->IsMultiLine()) edit->ShowPosition(edit->GetInsertionPoint());
  return edit;
}

void ViewFind::OnWindowClosed() {
  wxWindow* control = last_control_.get();
  if (control == nullptr || !has_last_) {
    view_.FunctionList()->SetFocus();
    return;
  }
  control->SetFocus();
  // A text field selects all of itself when it takes the focus: the match is selected again.
  Select(last_);
}

void ViewFind::SetStatus(const wxString& text) {
  auto* frame = wxDynamicCast(wxTheApp->GetTopWindow(), wxFrame);
  if (frame != nullptr && frame->GetStatusBar() != nullptr) {
    frame->GetStatusBar()->SetStatusText(text, 0);
  }
}
