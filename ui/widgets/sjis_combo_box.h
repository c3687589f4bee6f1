#pragma once
// SjisComboBox: an editable combo box whose text and drop-down entries are record texts.

#include <string>
#include <string_view>
#include <vector>

#include <wx/combobox.h>

#include "ui/widgets/sjis_field.h"

// GTK's own combo box with its drop-down as one list (GTK's list form) rather than a menu item
// per entry, so that assistive technology sees a combo box with one row per entry, and a list of
// tens of thousands of entries (every structure of a large document) opens at once and stays on
// the screen. Many entries are added by building the list's model apart and attaching it in one
// step. With wxCB_SORT the entries keep the order of the platform's sorted combo boxes in the C
// locale, whatever the user's locale: by the case-folded text, a new entry before the equal ones.
class SjisComboBox : public wxComboBox {
 public:
  SjisComboBox(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);
  bool IsSorted() const override { return sorted_; }
  void SetBytes(std::string_view bytes);
  // The text's bytes: what SetBytes gave, else those of a drop-down entry showing the same text,
  // else the canonical encoding.
  quillmap::text::EncodeResult GetBytes() const;
  bool IsEdited() const { return !shown_.Matches(GetValue()); }
  void MarkStored(std::string_view bytes) { shown_.Remember(bytes, GetValue()); }
  void RevertEdit() { SetBytes(std::string(shown_.bytes())); }
  // Adds an entry (the combo may sort it in); returns its position.
  int AppendBytes(std::string_view bytes);
  // Adds many entries at once, for filling the list: the same entries in the same order as
  // adding them one by one.
  void AppendBytes(const std::vector<std::string>& entries);
  std::string EntryBytes(unsigned int n) const;

 protected:
  int DoInsertItems(const wxArrayStringsAdapter& items, unsigned int pos, void** client_data,
                    wxClientDataType type) override;
  void DoDeleteOneItem(unsigned int n) override;
  void DoClear() override;

 private:
  struct Entry {
    std::string key;  // the sort key (sorted combos only)
    ShownBytes text;
  };
  // Where a new entry with this key goes: before the first entry whose key is not smaller.
  unsigned int SortedPosition(const std::string& key) const;
  // Puts the entry in row `at` of the drop-down list.
  void InsertRow(unsigned int at, Entry entry);
  // Replaces the drop-down list's rows with the entries, in one step.
  void AttachEntries();

  ShownBytes shown_;
  SjisTypingGuard guard_;
  bool sorted_;
  std::vector<Entry> entries_;  // one per row of the drop-down list, in its order
};
