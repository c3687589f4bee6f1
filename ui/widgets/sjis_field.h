#pragma once
// Controls that show Shift-JIS record texts and give them back byte for byte.
//
// A record text is decoded for display (SjisToUtf8). Several byte strings can decode to the same
// display text (duplicate codes such as NEC/IBM rows, and the canonical code of a character), so
// each control remembers the bytes it was given together with the text it showed; reading an
// unedited control returns those bytes, reading an edited one encodes the new text canonically.
// A typed character that Shift-JIS can't hold is refused as it is typed: the control gets its
// previous text back and the user is told which character it was.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <wx/choice.h>
#include <wx/clntdata.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/string.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "core/text/shared_bytes.h"
#include "core/text/sjis.h"

// Display text of Shift-JIS bytes.
wxString SjisToWx(std::string_view sjis);
// The longest whole-character prefix of sjis of at most limit bytes.
std::string_view SjisPrefix(std::string_view sjis, std::size_t limit);

// Texts no person types by hand are cut where they are drawn: a list row draws at most
// kListLabelBytes of its text (then "…"), and a field given more than kFieldLimitBytes shows its
// first kFieldShownBytes read-only with a note. The bytes themselves are kept whole.
inline constexpr std::size_t kListLabelBytes = 1024;
inline constexpr std::size_t kFieldLimitBytes = 4 << 20;
inline constexpr std::size_t kFieldShownBytes = 64 << 10;
// Canonical Shift-JIS of a display text; ok is false for a character Shift-JIS can't hold.
quillmap::text::EncodeResult WxToSjis(const wxString& text);
// The message that tells the user which character can't be stored.
wxString UnencodableMessage(const quillmap::text::EncodeResult& result);

// The bytes a control was given and the text it showed for them.
class ShownBytes {
 public:
  // Remembers bytes and returns their display text.
  const wxString& Show(std::string_view bytes);
  void Clear();
  // Bytes for the text the control holds now: the remembered bytes when the text is the one
  // shown, else the canonical encoding of the text.
  quillmap::text::EncodeResult Read(const wxString& current) const;
  bool Matches(const wxString& current) const { return current == shown_; }
  // After the text was stored as bytes: it now counts as shown.
  void Remember(std::string_view bytes, const wxString& current);
  // The same, keeping a share of the bytes rather than a copy.
  void Remember(quillmap::text::SharedBytes bytes, const wxString& current);
  std::string_view bytes() const { return bytes_.view(); }
  const wxString& shown() const { return shown_; }

 private:
  quillmap::text::SharedBytes bytes_;
  wxString shown_;
};

// Client data of a list entry: its bytes and display text.
class SjisEntryData : public wxClientData {
 public:
  explicit SjisEntryData(std::string_view bytes) { text.Show(bytes); }
  ShownBytes text;
};

// Appends an entry that remembers its bytes (a sorted list puts it in place); returns its
// position.
int AppendSjisEntry(wxItemContainer& list, std::string_view bytes);
// The bytes of entry n.
std::string SjisEntryBytes(const wxItemContainer& list, unsigned int n);

// Refuses unencodable typing in a text entry: keeps the last good text and restores it. The
// message that says why waits until the typing pauses, so that keys typed right after the
// refused character reach the field instead of the message box.
class SjisTypingGuard {
 public:
  // How long the typing must pause before the message shows.
  static constexpr int kMessagePauseMs = 400;

  void Attach(wxWindow* window, wxTextEntry* entry);
  // Call after the program set the text, so that it counts as the last good one.
  void Accept();

 private:
  void OnText(wxCommandEvent& event);
  void OnKey(wxKeyEvent& event);
  void Refuse(const quillmap::text::EncodeResult& encoded);
  void ShowRefusal(wxTimerEvent& event);

  wxWindow* window_ = nullptr;
  wxTextEntry* entry_ = nullptr;
  wxString last_good_;
  bool restoring_ = false;
  bool refusal_pending_ = false;
  // The first character refused since the last message, and the pause that shows it.
  quillmap::text::EncodeResult refused_;
  bool message_pending_ = false;
  wxTimer message_timer_;
};

// Edit control holding one record text. A text over kFieldLimitBytes is shown cut, read-only,
// and reads back as the bytes it was given.
class SjisTextCtrl : public wxTextCtrl {
 public:
  SjisTextCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);
  void SetBytes(std::string_view bytes);
  // The same, keeping a share of the bytes rather than a copy (a text of any length).
  void SetSharedBytes(quillmap::text::SharedBytes bytes);
  // Whether GetBytes would give these bytes, without copying a long text to find out.
  bool ReadsAs(std::string_view bytes) const;
  // True while the control shows a cut text.
  bool IsCut() const { return cut_; }
  quillmap::text::EncodeResult GetBytes() const { return shown_.Read(GetValue()); }
  // True when the user changed the text since SetBytes.
  bool IsEdited() const { return !shown_.Matches(GetValue()); }
  void MarkStored(std::string_view bytes) { shown_.Remember(bytes, GetValue()); }
  // Gives the field back the text it showed or last stored, dropping the typing since.
  void RevertEdit() { SetBytes(std::string(shown_.bytes())); }

 private:
  ShownBytes shown_;
  SjisTypingGuard guard_;
  bool cut_ = false;
  bool editable_before_cut_ = true;
};

// Drop-down list of record texts (entries can't be typed).
class SjisChoice : public wxChoice {
 public:
  SjisChoice(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);
  int AppendBytes(std::string_view bytes);
  std::string EntryBytes(unsigned int n) const;
};

// Report list whose cells hold record texts, and which keeps its own selection mark: the item
// last clicked or reached with the keyboard, independent of what is highlighted. The list is
// virtual: it holds its rows itself and the control asks for the texts it paints, so a document
// of tens of thousands of functions is listed at once.
class SjisListCtrl : public wxListCtrl {
 public:
  SjisListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);
  ~SjisListCtrl() override;

  // Inserts a row at pos (clamped to the end) with the given cells; returns its index.
  long InsertRow(long pos, const std::vector<std::string_view>& cells);
  long AppendRow(const std::vector<std::string_view>& cells) {
    return InsertRow(GetItemCount(), cells);
  }
  // A row of one cell that keeps a share of its bytes rather than a copy.
  long InsertSharedRow(long pos, quillmap::text::SharedBytes cell);
  long AppendSharedRow(quillmap::text::SharedBytes cell) {
    return InsertSharedRow(GetItemCount(), std::move(cell));
  }
  void DeleteRow(long row);
  void DeleteAllRows();
  // Puts the rows in a new order: order[i] is the present index of the row that becomes row i
  // (a permutation of all rows; anything else is ignored). The selection mark and the
  // highlighted and focused states move with their rows.
  void ReorderRows(const std::vector<std::size_t>& order);
  void SetCellBytes(long row, int column, std::string_view bytes);
  // The cell's bytes (original bytes while its text is unchanged).
  quillmap::text::EncodeResult GetCellResult(long row, int column) const;
  // A view of the cell's bytes, valid until the list changes; empty for no such cell.
  std::string_view CellView(long row, int column) const;
  // The same, for cells known to hold encodable text (every text got there through SetCellBytes
  // or a checked label edit); an unencodable cell gives an empty string.
  std::string GetCellBytes(long row, int column) const;

  long GetSelectionMark() const { return selection_mark_; }
  void SetSelectionMark(long row) { selection_mark_ = row; }

 protected:
  wxString OnGetItemText(long item, long column) const override;
  // Editing a label that is drawn cut starts from the whole text.
  bool TryBefore(wxEvent& event) override;

 private:
  // A cell's bytes, and the text shown for them, made when the list first paints the cell: a
  // list of a hundred thousand rows converts only the few in view.
  class Cell {
   public:
    Cell() = default;
    explicit Cell(std::string_view bytes) : bytes_(bytes) {}
    explicit Cell(quillmap::text::SharedBytes bytes) : bytes_(std::move(bytes)) {}
    std::string_view bytes() const { return bytes_.view(); }
    // What the list draws: the text, or its first kListLabelBytes and "…".
    const wxString& shown() const;
    bool IsCut() const { return bytes_.size() > kListLabelBytes; }

   private:
    quillmap::text::SharedBytes bytes_;
    mutable wxString shown_;
    mutable bool converted_ = false;
  };
  using Row = std::vector<Cell>;
  const Cell* CellOf(long row, int column) const;
  long InsertCells(long pos, Row row);
  // Keeps the highlighted and focused rows on their items when rows before them come or go.
  void ShiftStates(long from_row, long delta);
  void OnFocusedOrSelected(wxListEvent& event);

  long selection_mark_ = -1;
  bool shifting_ = false;  // states moved by ShiftStates are no clicks: nobody hears of them
  std::vector<Row> rows_;
};
