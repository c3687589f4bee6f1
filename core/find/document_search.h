#pragma once
// Finding a text in a document: through the functions in list order (within a function its
// fields in the order the form's tab order visits them), then the structures in list order,
// comparing the stored bytes with TextMatcher's folding. A match tells the record, the field,
// the row of a list field and the byte range within the text.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/find/fold.h"
#include "core/model/flat_tree.h"
#include "core/model/spec_store.h"

namespace quillmap::find {

enum class RecordKind : std::uint8_t { kFunction, kStructure };

// The texts of a record that a search looks at.
enum class Field : std::uint8_t {
  kName,
  kAttribute,  // the attribute word the form shows
  kHeading,
  kArgument,  // one cell of an argument row
  kReturnType,
  kReturnText,
  kExplanation,
  kNote,
  kLink,
  kHistory,  // the comment of a history entry
  kMember,   // one cell of a member row
};

// The record key a field is stored under ("name", "argvlist", "return", ...).
std::string_view FieldKey(Field field);

// A point in the order of the search: a record, the text's place among the record's texts, and
// a byte offset in that text. Points compare in the order the search visits them.
struct Position {
  RecordKind kind = RecordKind::kFunction;
  std::int32_t record = 0;
  std::uint32_t text = 0;
  std::size_t offset = 0;

  friend bool operator<(const Position& a, const Position& b);
  friend bool operator==(const Position&, const Position&) = default;
};

// Before every text of a record, and after all of them.
Position RecordStart(RecordKind kind, std::int32_t record);
Position RecordEnd(RecordKind kind, std::int32_t record);

struct Match {
  RecordKind kind = RecordKind::kFunction;
  std::int32_t record = 0;
  Field field = Field::kName;
  std::uint32_t row = 0;     // of an argument, member, link or history entry (from 0)
  std::uint32_t column = 0;  // of an argument or member: 0 type, 1 name, 2 description
  std::uint32_t text = 0;    // the text's place among the record's texts
  ByteRange range;           // within the text

  Position At() const { return {kind, record, text, range.begin}; }
};

// One step of Next or Previous.
struct Found {
  Match match;
  std::string text;      // the whole text the match lies in
  bool wrapped = false;  // the search went past the end (or the start) and began again
};

class DocumentSearch {
 public:
  // Searches the records as they are in the snapshot. names_only: the name of each record only.
  DocumentSearch(RecordSnapshot records, std::string_view pattern, bool names_only);

  // The first match at or after from; past the last record the search begins again at the
  // first. False when the document holds no match.
  bool Next(const Position& from, Found& found) const;
  // The last match before `before`; before the first record it begins again at the last.
  bool Previous(const Position& before, Found& found) const;

  // Every match in the search's order, with the text it lies in (valid during the call);
  // visit returns false to stop.
  using Visit = std::function<bool(const Match& match, std::string_view text)>;
  void ForEach(const Visit& visit) const;

 private:
  // Records in the search's order: the functions, then the structures.
  std::size_t RecordCount() const;
  // The matches of one record in order, with their texts; visit returns false to stop.
  void ScanRecord(std::size_t ordinal, const Visit& visit) const;
  std::size_t Ordinal(RecordKind kind, std::int32_t record) const;

  RecordSnapshot records_;
  TextMatcher matcher_;
  bool names_only_;
  mutable FlatTree tree_;  // reused for every record
};

}  // namespace quillmap::find
