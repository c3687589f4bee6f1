#include "ui/widgets/sjis_field.h"

#include <algorithm>
#include <utility>

#include <wx/msgdlg.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/message_box.h"

namespace text = quillmap::text;

wxString SjisToWx(std::string_view sjis) {
  const std::string utf8 = text::SjisToUtf8(sjis);
  return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::string_view SjisPrefix(std::string_view sjis, std::size_t limit) {
  if (sjis.size() <= limit) return sjis;
  std::size_t end = 0;
  for (std::size_t length; (length = text::CharLength(sjis, end)) != 0 && end + length <= limit;) {
    end += length;
  }
  return sjis.substr(0, end);
}

text::EncodeResult WxToSjis(const wxString& value) {
  const wxScopedCharBuffer utf8 = value.utf8_str();
  return text::Utf8ToSjis(std::string_view(utf8.data(), utf8.length()));
}

wxString UnencodableMessage(const text::EncodeResult& result) {
  wxString character;
  if (result.bad_char != 0) character = wxUniChar(static_cast<wxUint32>(result.bad_char));
  wxString message = LoadWxString(ids::kStrUnencodable);
  message.Replace("%1", character);
  message.Replace("%2", wxString::Format("%04X", static_cast<unsigned>(result.bad_char)));
  return message;
}

// ---- ShownBytes -------------------------------------------------------------------------------

const wxString& ShownBytes::Show(std::string_view bytes) {
  bytes_ = text::SharedBytes(bytes);
  shown_ = SjisToWx(bytes);
  return shown_;
}

void ShownBytes::Clear() {
  bytes_ = text::SharedBytes();
  shown_.clear();
}

void ShownBytes::Remember(std::string_view bytes, const wxString& current) {
  bytes_ = text::SharedBytes(bytes);
  shown_ = current;
}

void ShownBytes::Remember(text::SharedBytes bytes, const wxString& current) {
  bytes_ = std::move(bytes);
  shown_ = current;
}

text::EncodeResult ShownBytes::Read(const wxString& current) const {
  if (current == shown_) {
    text::EncodeResult kept;
    kept.bytes = bytes_.view();
    return kept;
  }
  return WxToSjis(current);
}

// ---- list entries -----------------------------------------------------------------------------

int AppendSjisEntry(wxItemContainer& list, std::string_view bytes) {
  auto* data = new SjisEntryData(bytes);
  return list.Append(data->text.shown(), data);
}

std::string SjisEntryBytes(const wxItemContainer& list, unsigned int n) {
  if (auto* data = dynamic_cast<SjisEntryData*>(list.GetClientObject(n))) {
    return std::string(data->text.bytes());
  }
  return WxToSjis(list.GetString(n)).bytes;
}

// ---- SjisTypingGuard --------------------------------------------------------------------------

void SjisTypingGuard::Attach(wxWindow* window, wxTextEntry* entry) {
  window_ = window;
  entry_ = entry;
  last_good_ = entry->GetValue();
  window->Bind(wxEVT_TEXT, &SjisTypingGuard::OnText, this);
  window->Bind(wxEVT_KEY_DOWN, &SjisTypingGuard::OnKey, this);
  message_timer_.Bind(wxEVT_TIMER, &SjisTypingGuard::ShowRefusal, this);
}

void SjisTypingGuard::Accept() {
  last_good_ = entry_->GetValue();
}

void SjisTypingGuard::OnText(wxCommandEvent& event) {
  event.Skip();
  if (restoring_) return;
  const wxString now = entry_->GetValue();
  const text::EncodeResult encoded = WxToSjis(now);
  if (encoded.ok) {
    last_good_ = now;
    if (message_pending_) message_timer_.StartOnce(kMessagePauseMs);  // still typing
    return;
  }
  // The control is still inside its own change notification: put the last good text back once
  // it has finished.
  if (refusal_pending_) return;
  refusal_pending_ = true;
  window_->CallAfter([this, encoded] { Refuse(encoded); });
}

void SjisTypingGuard::OnKey(wxKeyEvent& event) {
  event.Skip();
  if (message_pending_) message_timer_.StartOnce(kMessagePauseMs);
}

void SjisTypingGuard::Refuse(const text::EncodeResult& encoded) {
  refusal_pending_ = false;
  // Text typed meanwhile may have made it good again.
  if (WxToSjis(entry_->GetValue()).ok) return;
  restoring_ = true;
  const long insertion = entry_->GetInsertionPoint();
  entry_->ChangeValue(last_good_);
  entry_->SetInsertionPoint(std::min<long>(insertion, entry_->GetLastPosition()));
  restoring_ = false;
  if (!message_pending_) refused_ = encoded;
  message_pending_ = true;
  message_timer_.StartOnce(kMessagePauseMs);
}

void SjisTypingGuard::ShowRefusal(wxTimerEvent&) {
  message_pending_ = false;
  ShowMessageBox(window_, UnencodableMessage(refused_), LoadWxString(ids::kStrAppName),
                 wxOK | wxICON_STOP);
}

// ---- SjisTextCtrl -----------------------------------------------------------------------------

SjisTextCtrl::SjisTextCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                           long style)
    : wxTextCtrl(parent, id, wxString(), pos, size, style) {
  guard_.Attach(this, this);
}

void SjisTextCtrl::SetBytes(std::string_view bytes) {
  SetSharedBytes(text::SharedBytes(bytes));
}

void SjisTextCtrl::SetSharedBytes(text::SharedBytes bytes) {
  const std::string_view view = bytes.view();
  if (view.size() > kFieldLimitBytes) {
    // No one typed this: laying it all out would take the editor's memory and minutes. Its
    // first part is shown, nothing can be typed, and it reads back as the bytes given.
    if (!cut_) editable_before_cut_ = IsEditable();
    cut_ = true;
    SetEditable(false);
    // A one-line entry of GTK holds at most 65,535 characters: it shows 1 KB less, note included.
    const std::size_t shown = IsMultiLine() ? kFieldShownBytes : kFieldShownBytes - 1024;
    const wxString note = LoadWxString(ids::kStrFieldCut);
    ChangeValue(SjisToWx(SjisPrefix(view, shown)) + (IsMultiLine() ? wxS("\n") : wxS(" ")) + note);
    shown_.Remember(std::move(bytes), GetValue());
    guard_.Accept();
    return;
  }
  if (cut_) {
    SetEditable(editable_before_cut_);
    cut_ = false;
  }
  ChangeValue(SjisToWx(view));
  // Remember the text as the control holds it (it may normalise line ends), so that an
  // unedited field still reads back as the original bytes.
  shown_.Remember(std::move(bytes), GetValue());
  guard_.Accept();
}

bool SjisTextCtrl::ReadsAs(std::string_view bytes) const {
  return IsEdited() ? GetBytes().bytes == bytes : shown_.bytes() == bytes;
}

// ---- SjisChoice -------------------------------------------------------------------------------

SjisChoice::SjisChoice(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                       long style)
    : wxChoice(parent, id, pos, size, 0, nullptr, style) {}

int SjisChoice::AppendBytes(std::string_view bytes) {
  return AppendSjisEntry(*this, bytes);
}

std::string SjisChoice::EntryBytes(unsigned int n) const {
  return SjisEntryBytes(*this, n);
}

// ---- SjisListCtrl -----------------------------------------------------------------------------

SjisListCtrl::SjisListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                           long style)
    : wxListCtrl(parent, id, pos, size, style | wxLC_VIRTUAL) {
  Bind(wxEVT_LIST_ITEM_FOCUSED, &SjisListCtrl::OnFocusedOrSelected, this);
  Bind(wxEVT_LIST_ITEM_SELECTED, &SjisListCtrl::OnFocusedOrSelected, this);
}

SjisListCtrl::~SjisListCtrl() {
  // The base class outlives our members and still sends focus events while it goes away.
  Unbind(wxEVT_LIST_ITEM_FOCUSED, &SjisListCtrl::OnFocusedOrSelected, this);
  Unbind(wxEVT_LIST_ITEM_SELECTED, &SjisListCtrl::OnFocusedOrSelected, this);
}

const wxString& SjisListCtrl::Cell::shown() const {
  if (!converted_) {
    shown_ = IsCut() ? SjisToWx(SjisPrefix(bytes(), kListLabelBytes)) + wxString::FromUTF8("…")
                     : SjisToWx(bytes());
    converted_ = true;
  }
  return shown_;
}

bool SjisListCtrl::TryBefore(wxEvent& event) {
  if (event.GetEventType() == wxEVT_LIST_BEGIN_LABEL_EDIT) {
    const long row = static_cast<wxListEvent&>(event).GetIndex();
    const Cell* cell = CellOf(row, 0);
    if (cell != nullptr && cell->IsCut()) {
      // The edit control is made with the drawn text once the event was allowed: give it the
      // whole text then.
      const wxString shown = cell->shown();
      CallAfter([this, row, shown] {
        wxTextCtrl* edit = GetEditControl();
        const Cell* now = CellOf(row, 0);
        if (edit == nullptr || now == nullptr || edit->GetValue() != shown) return;
        edit->ChangeValue(SjisToWx(now->bytes()));
        edit->SelectAll();
      });
    }
  }
  return wxListCtrl::TryBefore(event);
}

wxString SjisListCtrl::OnGetItemText(long item, long column) const {
  const Cell* cell = CellOf(item, static_cast<int>(column));
  return cell ? cell->shown() : wxString();
}

const SjisListCtrl::Cell* SjisListCtrl::CellOf(long row, int column) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size() || column < 0) return nullptr;
  const Row& cells = rows_[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>(column) < cells.size() ? &cells[column] : nullptr;
}

void SjisListCtrl::ShiftStates(long from_row, long delta) {
  // A virtual list keeps its states by index: move those at or after from_row with their rows.
  const bool was_shifting = shifting_;
  shifting_ = true;
  const long count = static_cast<long>(rows_.size());
  std::vector<std::pair<long, long>> moved;  // (new row, state)
  for (long row =
           GetNextItem(from_row - 1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
       row != -1;
       row = GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED)) {
    moved.emplace_back(row + delta,
                       GetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED));
  }
  for (const auto& [row, state] : moved) {
    const long old_row = row - delta;
    if (old_row >= 0 && old_row < GetItemCount()) {
      SetItemState(old_row, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }
  }
  SetItemCount(count);
  for (const auto& [row, state] : moved) {
    if (row >= 0 && row < count) SetItemState(row, state, state);
  }
  shifting_ = was_shifting;
}

long SjisListCtrl::InsertRow(long pos, const std::vector<std::string_view>& cells) {
  Row row;
  row.reserve(cells.size());
  for (std::string_view cell : cells) row.emplace_back(cell);
  return InsertCells(pos, std::move(row));
}

long SjisListCtrl::InsertSharedRow(long pos, text::SharedBytes cell) {
  Row row;
  row.emplace_back(std::move(cell));
  return InsertCells(pos, std::move(row));
}

long SjisListCtrl::InsertCells(long pos, Row row) {
  const long count = static_cast<long>(rows_.size());
  pos = std::clamp<long>(pos, 0, count);
  rows_.insert(rows_.begin() + pos, std::move(row));
  if (pos == count) {
    SetItemCount(count + 1);
  } else {
    ShiftStates(pos, 1);
  }
  // A row inserted at or before the mark pushes the marked item down.
  if (selection_mark_ >= pos) ++selection_mark_;
  RefreshItems(pos, count);
  return pos;
}

void SjisListCtrl::DeleteRow(long row) {
  if (row < 0 || row >= static_cast<long>(rows_.size())) return;
  shifting_ = true;
  SetItemState(row, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  rows_.erase(rows_.begin() + row);
  ShiftStates(row + 1, -1);
  shifting_ = false;
  // Rows after the deleted one move up; a deleted marked row leaves the mark on the row that
  // took its place (or on the new last row).
  if (selection_mark_ > row) {
    --selection_mark_;
  } else if (selection_mark_ == row) {
    selection_mark_ = std::min<long>(selection_mark_, GetItemCount() - 1);
  }
  Refresh();
}

void SjisListCtrl::DeleteAllRows() {
  rows_.clear();
  DeleteAllItems();
  selection_mark_ = -1;
}

void SjisListCtrl::ReorderRows(const std::vector<std::size_t>& order) {
  const std::size_t count = rows_.size();
  if (order.size() != count) return;
  std::vector<long> new_index(count, -1);
  for (std::size_t i = 0; i < count; ++i) {
    if (order[i] >= count || new_index[order[i]] != -1) return;
    new_index[order[i]] = static_cast<long>(i);
  }
  // The states belong to rows, not places: take them off, reorder, and put them back where their
  // rows went. Nobody hears of these changes.
  const bool was_shifting = shifting_;
  shifting_ = true;
  constexpr long kStates = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
  std::vector<std::pair<long, long>> states;  // (new row, state)
  for (long row = GetNextItem(-1, wxLIST_NEXT_ALL, kStates); row != -1;
       row = GetNextItem(row, wxLIST_NEXT_ALL, kStates)) {
    states.emplace_back(new_index[static_cast<std::size_t>(row)], GetItemState(row, kStates));
  }
  for (const auto& [row, state] : states) {
    SetItemState(static_cast<long>(order[static_cast<std::size_t>(row)]), 0, kStates);
  }
  std::vector<Row> reordered;
  reordered.reserve(count);
  for (std::size_t old_row : order) reordered.push_back(std::move(rows_[old_row]));
  rows_ = std::move(reordered);
  for (const auto& [row, state] : states) SetItemState(row, state, state);
  shifting_ = was_shifting;
  if (selection_mark_ >= 0 && static_cast<std::size_t>(selection_mark_) < count) {
    selection_mark_ = new_index[static_cast<std::size_t>(selection_mark_)];
  }
  if (count > 0) RefreshItems(0, static_cast<long>(count) - 1);
}

void SjisListCtrl::SetCellBytes(long row, int column, std::string_view bytes) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size() || column < 0) return;
  Row& cells = rows_[static_cast<std::size_t>(row)];
  if (cells.size() <= static_cast<std::size_t>(column)) cells.resize(column + 1);
  cells[column] = Cell(bytes);
  RefreshItem(row);
}

text::EncodeResult SjisListCtrl::GetCellResult(long row, int column) const {
  if (const Cell* cell = CellOf(row, column)) {
    text::EncodeResult kept;
    kept.bytes = cell->bytes();
    return kept;
  }
  return text::EncodeResult{};
}

std::string_view SjisListCtrl::CellView(long row, int column) const {
  const Cell* cell = CellOf(row, column);
  return cell != nullptr ? cell->bytes() : std::string_view();
}

std::string SjisListCtrl::GetCellBytes(long row, int column) const {
  text::EncodeResult result = GetCellResult(row, column);
  return result.ok ? std::move(result.bytes) : std::string();
}

void SjisListCtrl::OnFocusedOrSelected(wxListEvent& event) {
  if (shifting_) return;  // not skipped: the event stops here
  if (event.GetIndex() >= 0) selection_mark_ = event.GetIndex();
  event.Skip();
}
