#include "ui/view/sjis_field.h"

#include <algorithm>

#include <wx/msgdlg.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"

namespace text = quillmap::text;

wxString SjisToWx(std::string_view sjis) {
  const std::string utf8 = text::SjisToUtf8(sjis);
  return wxString::FromUTF8(utf8.data(), utf8.size());
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
  bytes_.assign(bytes);
  shown_ = SjisToWx(bytes);
  return shown_;
}

void ShownBytes::Clear() {
  bytes_.clear();
  shown_.clear();
}

void ShownBytes::Remember(std::string_view bytes, const wxString& current) {
  bytes_.assign(bytes);
  shown_ = current;
}

text::EncodeResult ShownBytes::Read(const wxString& current) const {
  if (current == shown_) {
    text::EncodeResult kept;
    kept.bytes = bytes_;
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
    return data->text.bytes();
  }
  return WxToSjis(list.GetString(n)).bytes;
}

// ---- SjisTypingGuard --------------------------------------------------------------------------

void SjisTypingGuard::Attach(wxWindow* window, wxTextEntry* entry) {
  window_ = window;
  entry_ = entry;
  last_good_ = entry->GetValue();
  window->Bind(wxEVT_TEXT, &SjisTypingGuard::OnText, this);
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
    return;
  }
  // The control is still inside its own change notification: put the last good text back once
  // it has finished, then say why.
  if (refusal_pending_) return;
  refusal_pending_ = true;
  window_->CallAfter([this, encoded] { Refuse(encoded); });
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
  wxMessageDialog box(window_, UnencodableMessage(encoded), LoadWxString(ids::kStrAppName),
                      wxOK | wxICON_STOP);
  box.ShowModal();
}

// ---- SjisTextCtrl -----------------------------------------------------------------------------

SjisTextCtrl::SjisTextCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                           long style)
    : wxTextCtrl(parent, id, wxString(), pos, size, style) {
  guard_.Attach(this, this);
}

void SjisTextCtrl::SetBytes(std::string_view bytes) {
  ChangeValue(shown_.Show(bytes));
  // Remember the text as the control holds it (it may normalise line ends), so that an
  // unedited field still reads back as the original bytes.
  shown_.Remember(bytes, GetValue());
  guard_.Accept();
}

// ---- SjisComboBox -----------------------------------------------------------------------------

SjisComboBox::SjisComboBox(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                           long style)
    : wxComboBox(parent, id, wxString(), pos, size, 0, nullptr, style) {
  guard_.Attach(this, this);
}

void SjisComboBox::SetBytes(std::string_view bytes) {
  ChangeValue(shown_.Show(bytes));
  shown_.Remember(bytes, GetValue());
  guard_.Accept();
}

text::EncodeResult SjisComboBox::GetBytes() const {
  const wxString value = GetValue();
  if (shown_.Matches(value)) return shown_.Read(value);
  // Picked from the drop-down list: that entry's own bytes.
  const int n = FindString(value, true);
  if (n != wxNOT_FOUND) {
    if (auto* data = dynamic_cast<SjisEntryData*>(GetClientObject(n))) {
      if (data->text.Matches(value)) return data->text.Read(value);
    }
  }
  return WxToSjis(value);
}

int SjisComboBox::AppendBytes(std::string_view bytes) {
  return AppendSjisEntry(*this, bytes);
}

std::string SjisComboBox::EntryBytes(unsigned int n) const {
  return SjisEntryBytes(*this, n);
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
    : wxListCtrl(parent, id, pos, size, style) {
  Bind(wxEVT_LIST_ITEM_FOCUSED, &SjisListCtrl::OnFocusedOrSelected, this);
  Bind(wxEVT_LIST_ITEM_SELECTED, &SjisListCtrl::OnFocusedOrSelected, this);
  Bind(wxEVT_LIST_DELETE_ITEM, &SjisListCtrl::OnDeleteItem, this);
  Bind(wxEVT_LIST_DELETE_ALL_ITEMS, &SjisListCtrl::OnDeleteAllItems, this);
}

SjisListCtrl::~SjisListCtrl() {
  // The base class outlives our members: it must not call back into them.
  Unbind(wxEVT_LIST_DELETE_ITEM, &SjisListCtrl::OnDeleteItem, this);
  Unbind(wxEVT_LIST_DELETE_ALL_ITEMS, &SjisListCtrl::OnDeleteAllItems, this);
}

long SjisListCtrl::InsertRow(long pos, const std::vector<std::string_view>& cells) {
  pos = std::clamp<long>(pos, 0, GetItemCount());
  std::size_t slot;
  if (free_slots_.empty()) {
    slot = cells_.size();
    cells_.push_back(nullptr);
  } else {
    slot = free_slots_.back();
    free_slots_.pop_back();
  }
  cells_[slot] = std::make_unique<std::vector<ShownBytes>>();
  const long row = InsertItem(pos, wxString());
  SetItemData(row, static_cast<long>(slot + 1));
  // A row inserted at or before the mark pushes the marked item down.
  if (selection_mark_ >= row) ++selection_mark_;
  for (std::size_t column = 0; column < cells.size(); ++column) {
    SetCellBytes(row, static_cast<int>(column), cells[column]);
  }
  return row;
}

void SjisListCtrl::DeleteRow(long row) {
  if (row < 0 || row >= GetItemCount()) return;
  DeleteItem(row);
  // Rows after the deleted one move up; a deleted marked row leaves the mark on the row that
  // took its place (or on the new last row).
  if (selection_mark_ > row) {
    --selection_mark_;
  } else if (selection_mark_ == row) {
    selection_mark_ = std::min<long>(selection_mark_, GetItemCount() - 1);
  }
}

void SjisListCtrl::DeleteAllRows() {
  DeleteAllItems();
  selection_mark_ = -1;
}

std::vector<ShownBytes>* SjisListCtrl::CellsOf(long row) const {
  if (row < 0 || row >= GetItemCount()) return nullptr;
  const wxUIntPtr key = GetItemData(row);
  if (key == 0 || key > cells_.size()) return nullptr;
  return cells_[key - 1].get();
}

void SjisListCtrl::SetCellBytes(long row, int column, std::string_view bytes) {
  std::vector<ShownBytes>* cells = CellsOf(row);
  if (cells == nullptr || column < 0) return;
  if (cells->size() <= static_cast<std::size_t>(column)) cells->resize(column + 1);
  SetItem(row, column, (*cells)[column].Show(bytes));
}

text::EncodeResult SjisListCtrl::GetCellResult(long row, int column) const {
  const wxString current = GetItemText(row, column);
  const std::vector<ShownBytes>* cells = CellsOf(row);
  if (cells != nullptr && column >= 0 && static_cast<std::size_t>(column) < cells->size()) {
    return (*cells)[column].Read(current);
  }
  return WxToSjis(current);
}

std::string SjisListCtrl::GetCellBytes(long row, int column) const {
  text::EncodeResult result = GetCellResult(row, column);
  return result.ok ? std::move(result.bytes) : std::string();
}

void SjisListCtrl::OnFocusedOrSelected(wxListEvent& event) {
  if (event.GetIndex() >= 0) selection_mark_ = event.GetIndex();
  event.Skip();
}

void SjisListCtrl::OnDeleteItem(wxListEvent& event) {
  event.Skip();
  const long row = event.GetIndex();
  if (row < 0 || row >= GetItemCount()) return;
  const wxUIntPtr key = GetItemData(row);
  if (key == 0 || key > cells_.size() || !cells_[key - 1]) return;
  cells_[key - 1].reset();
  free_slots_.push_back(key - 1);
}

void SjisListCtrl::OnDeleteAllItems(wxListEvent& event) {
  event.Skip();
  cells_.clear();
  free_slots_.clear();
}
