#include "core/output/clipboard_text.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "core/model/spec_record.h"
#include "core/model/tree_reader.h"
#include "core/output/record_lists.h"
#include "core/text/sjis.h"

namespace quillmap {
namespace {

const std::string kRule =
    "//----------------------------------------------------------------------------\n";

struct Literals {
  std::string name_heading = text::Sjis("関数名\n");
  std::string arguments_heading = text::Sjis("引数\n");
  std::string return_heading = text::Sjis("戻り値\n");
  std::string explanation_heading = text::Sjis("説明\n");
  std::string note_heading = text::Sjis("補足\n");
};

const Literals& GetLiterals() {
  static const Literals literals;
  return literals;
}

// The values of a function record that the block shows, read in one walk of the record without
// copying it: the first top-level node of each key decides, as the record's accessors decide.
// The views stay valid as long as the record's bytes or nodes. With on_argument set, every
// argument (type, name, description; missing ones empty) is handed to it as the walk meets it.
class ClipFields : public TreeVisitor {
 public:
  explicit ClipFields(const std::function<void(const ListEntry&)>* on_argument)
      : on_argument_(on_argument) {}

  std::string_view name, return_text, explanation, note;

  // Readers that don't skip (PropertyTree::Visit) hand every node: what lies below the nodes
  // wanted is passed over by its depth.
  bool Open(std::string_view node, const unsigned char*, std::uint32_t, std::uint32_t) override {
    ++depth_;
    if (depth_ == 1) {
      key_ = TakeKey(node);
      position_ = 0;
      if (key_ == kNoKey) SkipChildren();
    } else if (key_ == kNoKey) {
      // Below a key the block doesn't show.
    } else if (depth_ == 2 && key_ == kArguments) {
      entry_ = ListEntry();
      field_ = 0;
    } else if (depth_ == 2) {
      if (position_ == (key_ == kReturn ? 1u : 0u)) Value() = node;
      ++position_;
      SkipChildren();
    } else if (depth_ == 3 && key_ == kArguments) {
      // An argument's type, name and description, in that order; more children are ignored.
      if (field_ == 0) entry_.type = node;
      if (field_ == 1) entry_.name = node;
      if (field_ == 2) entry_.description = node;
      ++field_;
      SkipChildren();
    }
    return true;
  }
  void Close() override {
    if (depth_ == 2 && key_ == kArguments && on_argument_ != nullptr) (*on_argument_)(entry_);
    --depth_;
  }

 private:
  enum Key { kName, kReturn, kExplanation, kNote, kArguments, kKeyCount, kNoKey = kKeyCount };
  Key TakeKey(std::string_view node) {
    static constexpr std::string_view kKeys[kKeyCount] = {
        key::kName, key::kReturn, key::kExplanation, key::kNote, key::kArgvList};
    for (int k = 0; k < kKeyCount; ++k) {
      if (node == kKeys[k]) {
        if (seen_[k]) return kNoKey;
        seen_[k] = true;
        return static_cast<Key>(k);
      }
    }
    return kNoKey;
  }
  std::string_view& Value() {
    switch (key_) {
      case kName:
        return name;
      case kReturn:
        return return_text;
      case kExplanation:
        return explanation;
      default:
        return note;
    }
  }

  const std::function<void(const ListEntry&)>* on_argument_;
  bool seen_[kKeyCount] = {};
  Key key_ = kNoKey;
  std::size_t position_ = 0;
  std::size_t field_ = 0;
  ListEntry entry_;
  int depth_ = 0;
};

// The block's text as it is made: every line of the body starts with "//  ", pieces are
// collected and handed on when they amount to a few dozen kilobytes.
class BlockWriter {
 public:
  explicit BlockWriter(const ClipboardSink& sink) : sink_(sink) {}
  ~BlockWriter() { Flush(); }

  void Raw(std::string_view text) { Append(text); }
  // Text of the body: "//  " at its start and after every line feed.
  void Body(std::string_view text) {
    while (!text.empty()) {
      if (line_start_) {
        Append("//  ");
        line_start_ = false;
      }
      const std::size_t feed = text.find('\n');
      const std::size_t take = feed == std::string_view::npos ? text.size() : feed + 1;
      Append(text.substr(0, take));
      line_start_ = feed != std::string_view::npos;
      text.remove_prefix(take);
    }
  }
  // Ends the body: the prefix that follows its last line feed.
  void EndBody() {
    if (line_start_) Append("//  ");
    line_start_ = false;
  }
  void Blanks(std::size_t count) {
    static constexpr std::string_view kBlanks = "                                ";
    for (; count > kBlanks.size(); count -= kBlanks.size()) Body(kBlanks);
    Body(kBlanks.substr(0, count));
  }
  void Flush() {
    if (!buffer_.empty()) sink_(buffer_);
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kPiece = 64 * 1024;
  void Append(std::string_view text) {
    if (buffer_.size() + text.size() > kPiece) Flush();
    if (text.size() >= kPiece) {
      sink_(text);
    } else {
      buffer_.append(text);
    }
  }

  const ClipboardSink& sink_;
  std::string buffer_;
  bool line_start_ = true;
};

// A text section: heading, the text with two blanks at its start and after every line feed, a
// line feed. Left out when empty.
void PutTextSection(BlockWriter& out, const std::string& heading, std::string_view text) {
  if (text.empty()) return;
  out.Body(heading);
  out.Body("  ");
  while (!text.empty()) {
    const std::size_t feed = text.find('\n');
    if (feed == std::string_view::npos) {
      out.Body(text);
      break;
    }
    out.Body(text.substr(0, feed + 1));
    out.Body("  ");
    text.remove_prefix(feed + 1);
  }
  out.Body("\n");
}

}  // namespace

void PrefixLines(std::string& text, std::string_view prefix) {
  const std::size_t line_feeds =
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  std::string result;
  result.reserve(text.size() + (line_feeds + 1) * prefix.size());
  result += prefix;
  for (const char c : text) {
    result += c;
    if (c == '\n') result += prefix;
  }
  text = std::move(result);
}

void WriteClipboardSpecText(const RecordReader& read_record, ClipboardSpecSettings flags,
                            const ClipboardSink& sink) {
  const Literals& literals = GetLiterals();
  // The first walk finds the values and the widths of the argument columns; the second, only
  // when there are arguments to show, hands them out one by one.
  std::size_t arguments = 0;
  std::size_t type_width = 0;
  std::size_t name_width = 0;
  const std::function<void(const ListEntry&)> measure = [&](const ListEntry& argument) {
    ++arguments;
    type_width = std::max(type_width, argument.type.size());
    name_width = std::max(name_width, argument.name.size());
  };
  ClipFields fields(&measure);
  read_record(fields);

  BlockWriter out(sink);
  out.Raw(kRule);
  out.Body(literals.name_heading);
  out.Body("  ");
  out.Body(fields.name);
  out.Body("\n");
  if (flags & clip_flag::kArguments) {
    out.Body(literals.arguments_heading);
    if (arguments == 0) {
      // No line feed: the next heading continues this line.
      out.Body("  ");
    } else {
      const std::function<void(const ListEntry&)> put = [&](const ListEntry& argument) {
        out.Body("  ");
        out.Body(argument.type);
        out.Blanks(type_width + 2 - argument.type.size());
        out.Body(argument.name);
        out.Blanks(name_width + 2 - argument.name.size());
        out.Body("( ");
        out.Body(argument.description);
        out.Body(" )\n");
      };
      ClipFields again(&put);
      read_record(again);
    }
  }
  if (flags & clip_flag::kReturn) PutTextSection(out, literals.return_heading, fields.return_text);
  if (flags & clip_flag::kExplanation) {
    PutTextSection(out, literals.explanation_heading, fields.explanation);
  }
  if (flags & clip_flag::kNote) PutTextSection(out, literals.note_heading, fields.note);
  out.EndBody();
  out.Raw("\n");
  out.Raw(kRule);
}

bool ClipboardSpecText(std::string& out, const FunctionSpec& record, ClipboardSpecSettings flags) {
  out.clear();
  WriteClipboardSpecText([&record](TreeVisitor& visitor) { record.Visit(visitor); }, flags,
                         [&out](std::string_view piece) { out.append(piece); });
  return true;
}

}  // namespace quillmap
