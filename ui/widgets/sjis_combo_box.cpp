#include "ui/widgets/sjis_combo_box.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <gtk/gtk.h>

#include "ui/widgets/combo_list_popup.h"

namespace text = quillmap::text;

namespace {

// What the sorted combo boxes sort by, the same in every locale: the case-folded text in its
// compatibility-composed form (NFKC), byte by byte (that is, by code point). GLib's collation key
// gives that order under the C locale, which the program ran in before it took the user's; under
// another locale it would follow that locale's rules.
std::string SortKey(const wxString& text) {
  gchar* folded = g_utf8_casefold(text.utf8_str(), -1);
  gchar* normal = g_utf8_normalize(folded, -1, G_NORMALIZE_ALL_COMPOSE);
  std::string key = normal != nullptr ? normal : folded;
  g_free(normal);
  g_free(folded);
  return key;
}

}  // namespace

SjisComboBox::SjisComboBox(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                           long style)
    : wxComboBox(parent, id, wxString(), pos, size, 0, nullptr, style & ~wxCB_SORT),
      sorted_((style & wxCB_SORT) != 0) {
  // The list form is taken now, before any entry is added.
  UseComboListForm(GTK_COMBO_BOX(GetHandle()));
  guard_.Attach(this, this);
}

unsigned int SjisComboBox::SortedPosition(const std::string& key) const {
  const auto at =
      std::lower_bound(entries_.begin(), entries_.end(), key,
                       [](const Entry& entry, const std::string& k) { return entry.key < k; });
  return static_cast<unsigned int>(at - entries_.begin());
}

void SjisComboBox::InsertRow(unsigned int at, Entry entry) {
  GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(GetHandle()));
  gtk_list_store_insert_with_values(GTK_LIST_STORE(model), nullptr, static_cast<int>(at), 0,
                                    static_cast<const char*>(entry.text.shown().utf8_str()), -1);
  m_clientData.Insert(nullptr, at);
  entries_.insert(entries_.begin() + at, std::move(entry));
}

int SjisComboBox::DoInsertItems(const wxArrayStringsAdapter& items, unsigned int pos,
                                void** client_data, wxClientDataType type) {
  int inserted = wxNOT_FOUND;
  for (unsigned int i = 0; i < items.GetCount(); ++i) {
    Entry entry;
    entry.text.Show(WxToSjis(items[i]).bytes);
    entry.text.Remember(entry.text.bytes(), items[i]);
    if (sorted_) entry.key = SortKey(items[i]);
    const unsigned int at = sorted_ ? SortedPosition(entry.key) : pos + i;
    InsertRow(at, std::move(entry));
    AssignNewItemClientData(at, client_data, i, type);
    inserted = static_cast<int>(at);
  }
  return inserted;
}

int SjisComboBox::AppendBytes(std::string_view bytes) {
  Entry entry;
  const wxString shown = entry.text.Show(bytes);
  if (sorted_) entry.key = SortKey(shown);
  const unsigned int at = sorted_ ? SortedPosition(entry.key) : GetCount();
  InsertRow(at, std::move(entry));
  return static_cast<int>(at);
}

void SjisComboBox::AppendBytes(const std::vector<std::string>& entries) {
  if (entries.empty()) return;
  std::vector<Entry> batch(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const wxString& shown = batch[i].text.Show(entries[i]);
    if (sorted_) batch[i].key = SortKey(shown);
  }
  if (!sorted_) {
    std::move(batch.begin(), batch.end(), std::back_inserter(entries_));
  } else {
    // Sorted first (equal keys keep their order); then each lands where lower_bound puts it,
    // before the equal ones already placed, as adding them one by one would.
    std::stable_sort(batch.begin(), batch.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    for (Entry& entry : batch) {
      const unsigned int at = SortedPosition(entry.key);
      entries_.insert(entries_.begin() + at, std::move(entry));
    }
  }
  AttachEntries();
}

void SjisComboBox::AttachEntries() {
  // The rows go into a model of their own, which the combo box takes whole: its list hears of
  // one new model instead of every row.
  GtkListStore* store = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_STRING);
  for (const Entry& entry : entries_) {
    gtk_list_store_insert_with_values(store, nullptr, -1, 0,
                                      static_cast<const char*>(entry.text.shown().utf8_str()), -1);
  }
  const wxString value = GetValue();
  GTKDisableEvents();
  gtk_combo_box_set_model(GTK_COMBO_BOX(GetHandle()), GTK_TREE_MODEL(store));
  GTKEnableEvents();
  g_object_unref(store);
  // wx keeps a client data slot per row; the rows carry none.
  m_clientData.Clear();
  m_clientData.Add(nullptr, entries_.size());
  if (GetValue() != value) ChangeValue(value);
}

void SjisComboBox::DoDeleteOneItem(unsigned int n) {
  wxComboBox::DoDeleteOneItem(n);
  if (n < entries_.size()) entries_.erase(entries_.begin() + n);
}

void SjisComboBox::DoClear() {
  wxComboBox::DoClear();
  entries_.clear();
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
  for (const Entry& entry : entries_) {
    if (entry.text.Matches(value)) return entry.text.Read(value);
  }
  return WxToSjis(value);
}

std::string SjisComboBox::EntryBytes(unsigned int n) const {
  return n < entries_.size() ? std::string(entries_[n].text.bytes()) : std::string();
}
