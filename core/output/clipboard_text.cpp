#include "core/output/clipboard_text.h"

#include <algorithm>
#include <vector>

#include "core/model/spec_record.h"
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

void AppendPadded(std::string& body, std::string_view value, std::size_t width) {
  body += value;
  body.append(width - value.size(), ' ');
}

void AppendArguments(std::string& body, const FunctionSpec& record) {
  std::vector<ListEntry> arguments;
  RecordKeys(record).ReadEntries(key::kArgvList, arguments);
  if (arguments.empty()) {
    // No line feed: the next heading continues this line.
    body += "  ";
    return;
  }
  std::size_t type_width = 0;
  std::size_t name_width = 0;
  for (const ListEntry& argument : arguments) {
    type_width = std::max(type_width, argument.type.size());
    name_width = std::max(name_width, argument.name.size());
  }
  type_width += 2;
  name_width += 2;
  for (const ListEntry& argument : arguments) {
    body += "  ";
    AppendPadded(body, argument.type, type_width);
    AppendPadded(body, argument.name, name_width);
    body += "( ";
    body += argument.description;
    body += " )\n";
  }
}

// A text section: heading, the text indented by two blanks, a line feed. Left out when empty.
void AppendTextSection(std::string& body, const std::string& heading, std::string text) {
  if (text.empty()) return;
  PrefixLines(text, "  ");
  body += heading;
  body += text;
  body += '\n';
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

bool ClipboardSpecText(std::string& out, const FunctionSpec& record, ClipboardSpecSettings flags) {
  const Literals& literals = GetLiterals();
  std::string body = literals.name_heading;
  body += "  ";
  body += record.GetRecordName();
  body += '\n';
  if (flags & clip_flag::kArguments) {
    body += literals.arguments_heading;
    AppendArguments(body, record);
  }
  if (flags & clip_flag::kReturn) {
    AppendTextSection(body, literals.return_heading, record.GetReturnText());
  }
  if (flags & clip_flag::kExplanation) {
    AppendTextSection(body, literals.explanation_heading, record.GetExplanation());
  }
  if (flags & clip_flag::kNote) AppendTextSection(body, literals.note_heading, record.GetNote());
  PrefixLines(body, "//  ");

  out.clear();
  out.reserve(kRule.size() * 2 + body.size() + 1);
  out += kRule;
  out += body;
  out += '\n';
  out += kRule;
  return true;
}

}  // namespace quillmap
