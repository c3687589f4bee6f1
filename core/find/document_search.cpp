#include "core/find/document_search.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "core/model/spec_record.h"
#include "core/output/record_lists.h"

namespace quillmap::find {

std::string_view FieldKey(Field field) {
  switch (field) {
    case Field::kName:
      return key::kName;
    case Field::kAttribute:
      return key::kFuncAttr;
    case Field::kHeading:
      return key::kIndex;
    case Field::kArgument:
      return key::kArgvList;
    case Field::kReturnType:
    case Field::kReturnText:
      return key::kReturn;
    case Field::kExplanation:
      return key::kExplanation;
    case Field::kNote:
      return key::kNote;
    case Field::kLink:
      return key::kLink;
    case Field::kHistory:
      return key::kHistory;
    case Field::kMember:
      return key::kMemberList;
  }
  return {};
}

bool operator<(const Position& a, const Position& b) {
  return std::tie(a.kind, a.record, a.text, a.offset) <
         std::tie(b.kind, b.record, b.text, b.offset);
}

Position RecordStart(RecordKind kind, std::int32_t record) {
  return {kind, record, 0, 0};
}

Position RecordEnd(RecordKind kind, std::int32_t record) {
  return {kind, record, std::numeric_limits<std::uint32_t>::max(),
          std::numeric_limits<std::size_t>::max()};
}

namespace {

// Hands the texts of one record, in the search's order, to a function that returns false to
// stop; counts the texts as it goes.
class TextWalk {
 public:
  using Emit = std::function<bool(Field, std::uint32_t row, std::uint32_t column,
                                  std::uint32_t text, std::string_view)>;
  explicit TextWalk(const Emit& emit) : emit_(emit) {}

  bool Text(Field field, std::string_view text, std::uint32_t row = 0, std::uint32_t column = 0) {
    return emit_(field, row, column, next_++, text);
  }
  bool Entries(Field field, const std::vector<ListEntry>& entries) {
    for (std::uint32_t row = 0; row < entries.size(); ++row) {
      const ListEntry& entry = entries[row];
      if (!Text(field, entry.type, row, 0) || !Text(field, entry.name, row, 1) ||
          !Text(field, entry.description, row, 2)) {
        return false;
      }
    }
    return true;
  }
  bool Names(Field field, const std::vector<std::string_view>& names) {
    for (std::uint32_t row = 0; row < names.size(); ++row) {
      if (!Text(field, names[row], row)) return false;
    }
    return true;
  }

 private:
  const Emit& emit_;
  std::uint32_t next_ = 0;
};

// The comments of the history entries (the second child of each), in record order.
void ReadHistoryComments(const FlatTree& tree, std::uint32_t history,
                         std::vector<std::string_view>& comments) {
  comments.clear();
  for (std::uint32_t entry = tree.FirstChild(history); entry != FlatTree::kNone;
       entry = tree.NextSibling(entry)) {
    comments.push_back(tree.Name(tree.NextSibling(tree.FirstChild(entry))));
  }
}

}  // namespace

DocumentSearch::DocumentSearch(RecordSnapshot records, std::string_view pattern, bool names_only)
    : records_(std::move(records)), matcher_(pattern), names_only_(names_only) {}

std::size_t DocumentSearch::RecordCount() const {
  return records_.functions->Count() + records_.structures->Count();
}

std::size_t DocumentSearch::Ordinal(RecordKind kind, std::int32_t record) const {
  const std::size_t index = record < 0 ? 0 : static_cast<std::size_t>(record);
  return kind == RecordKind::kFunction ? index : records_.functions->Count() + index;
}

void DocumentSearch::ScanRecord(std::size_t ordinal, const Visit& visit) const {
  const std::size_t functions = records_.functions->Count();
  const bool is_function = ordinal < functions;
  const StoredTree* stored =
      is_function ? records_.functions->At(ordinal) : records_.structures->At(ordinal - functions);
  if (stored == nullptr || matcher_.empty()) return;

  Match match;
  match.kind = is_function ? RecordKind::kFunction : RecordKind::kStructure;
  match.record = static_cast<std::int32_t>(is_function ? ordinal : ordinal - functions);
  std::vector<ByteRange> ranges;
  const TextWalk::Emit emit = [&](Field field, std::uint32_t row, std::uint32_t column,
                                  std::uint32_t text_index, std::string_view text) {
    matcher_.FindAll(text, ranges);
    for (const ByteRange& range : ranges) {
      match.field = field;
      match.row = row;
      match.column = column;
      match.text = text_index;
      match.range = range;
      if (!visit(match, text)) return false;
    }
    return true;
  };
  TextWalk walk(emit);
  if (names_only_) {
    walk.Text(Field::kName, stored->Value(key::kName));
    return;
  }

  tree_.Assign(*stored);
  const RecordKeys keys(tree_);
  std::vector<ListEntry> entries;
  std::vector<std::string_view> names;
  if (!walk.Text(Field::kName, keys.Value(key::kName))) return;
  if (is_function) {
    keys.ReadEntries(key::kArgvList, entries);
    keys.ReadNames(key::kLink, names);
    if (!walk.Text(Field::kAttribute, FuncAttributeWord(keys.Attribute())) ||
        !walk.Text(Field::kHeading, keys.Value(key::kIndex)) ||
        !walk.Entries(Field::kArgument, entries) ||
        !walk.Text(Field::kReturnType, keys.Value(key::kReturn, 0)) ||
        !walk.Text(Field::kReturnText, keys.Value(key::kReturn, 1)) ||
        !walk.Text(Field::kExplanation, keys.Value(key::kExplanation)) ||
        !walk.Text(Field::kNote, keys.Value(key::kNote)) || !walk.Names(Field::kLink, names)) {
      return;
    }
    ReadHistoryComments(tree_, keys.Node(key::kHistory), names);
    walk.Names(Field::kHistory, names);
  } else {
    keys.ReadEntries(key::kMemberList, entries);
    keys.ReadNames(key::kLink, names);
    if (!walk.Text(Field::kHeading, keys.Value(key::kIndex)) ||
        !walk.Entries(Field::kMember, entries) ||
        !walk.Text(Field::kExplanation, keys.Value(key::kExplanation)) ||
        !walk.Text(Field::kNote, keys.Value(key::kNote))) {
      return;
    }
    walk.Names(Field::kLink, names);
  }
}

bool DocumentSearch::Next(const Position& from, Found& found) const {
  const std::size_t count = RecordCount();
  if (count == 0 || matcher_.empty()) return false;
  const std::size_t start = Ordinal(from.kind, from.record);
  bool hit = false;
  bool wanted_after = true;  // first the matches at or after from, then (wrapped) those before
  const Visit first = [&](const Match& match, std::string_view text) {
    if (!(match.At() < from) != wanted_after) return true;
    found.match = match;
    found.text.assign(text);
    hit = true;
    return false;
  };
  for (std::size_t ordinal = start; ordinal < count && !hit; ++ordinal) ScanRecord(ordinal, first);
  found.wrapped = !hit;
  wanted_after = false;
  for (std::size_t ordinal = 0; ordinal <= start && ordinal < count && !hit; ++ordinal) {
    ScanRecord(ordinal, first);
  }
  return hit;
}

bool DocumentSearch::Previous(const Position& before, Found& found) const {
  const std::size_t count = RecordCount();
  if (count == 0 || matcher_.empty()) return false;
  const std::size_t start = std::min(Ordinal(before.kind, before.record), count - 1);
  bool hit = false;
  bool wanted_before = true;  // first the matches before `before`, then (wrapped) the others
  // The last match of a record on the wanted side.
  const Visit last = [&](const Match& match, std::string_view text) {
    if ((match.At() < before) == wanted_before) {
      found.match = match;
      found.text.assign(text);
      hit = true;
    }
    return true;
  };
  for (std::size_t ordinal = start + 1; ordinal-- > 0 && !hit;) ScanRecord(ordinal, last);
  found.wrapped = !hit;
  wanted_before = false;
  for (std::size_t ordinal = count; ordinal-- > start && !hit;) ScanRecord(ordinal, last);
  return hit;
}

void DocumentSearch::ForEach(const Visit& visit) const {
  bool go_on = true;
  const Visit until_stopped = [&](const Match& match, std::string_view text) {
    go_on = visit(match, text);
    return go_on;
  };
  for (std::size_t ordinal = 0; ordinal < RecordCount() && go_on; ++ordinal) {
    ScanRecord(ordinal, until_stopped);
  }
}

}  // namespace quillmap::find
