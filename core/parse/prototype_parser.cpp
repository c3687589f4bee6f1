#include "core/parse/prototype_parser.h"

#include <algorithm>
#include <string_view>

namespace quillmap {
namespace {

constexpr std::size_t kMaxWords = 8;

// The words of one group (the head, or one argument), viewing the parsed text. Words beyond
// the eighth are dropped.
class WordGroup {
 public:
  void Add(std::string_view word) {
    if (size_ < kMaxWords) words_[size_++] = word;
  }
  void Clear() { size_ = 0; }
  std::size_t size() const { return size_; }
  std::string_view operator[](std::size_t i) const { return words_[i]; }
  std::string_view back() const { return words_[size_ - 1]; }

  // Words [0, count) joined by blanks, except that a word made of one repeated '*' or '&'
  // (such as "*", "**" or "&") sticks to the word before it: "const char *" -> "const char*".
  std::string Join(std::size_t count) const {
    std::string joined;
    for (std::size_t i = 0; i < count; ++i) {
      if (i > 0 && !IsPointerRun(words_[i])) joined += ' ';
      joined += words_[i];
    }
    return joined;
  }

 private:
  static bool IsPointerRun(std::string_view word) {
    return !word.empty() && (word[0] == '*' || word[0] == '&') &&
           word.find_first_not_of(word[0]) == std::string_view::npos;
  }

  std::array<std::string_view, kMaxWords> words_;
  std::size_t size_ = 0;
};

bool IsSkipped(char c) {
  return c == ' ' || c == '\n' || c == '\t';
}

// Length of the word at text[pos] in head mode: up to a blank, a tab or '('.
std::size_t HeadWordLength(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '(') ++end;
  return end - pos;
}

// Length of the word at text[pos] in argument mode: up to a ',' at any depth, or a blank, tab
// or ')' outside the parentheses the word itself opened. "(*cb)(int)" is one word.
std::size_t ArgWordLength(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  int depth = 0;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (c == ',') break;
    if (depth == 0 && (c == ' ' || c == '\t' || c == ')')) break;
    if (c == '(') ++depth;
    if (c == ')') --depth;
  }
  return end - pos;
}

// Moves the leading run of `mark` from the front of `name` to the end of `type`.
void MoveLeadingRun(char mark, std::string& name, std::string& type) {
  const std::size_t run = std::min(name.find_first_not_of(mark), name.size());
  type.append(name, 0, run);
  name.erase(0, run);
}

}  // namespace

bool PrototypeParser::Parse(std::string text_bytes) {
  *this = PrototypeParser();
  const std::string_view text = text_bytes;
  WordGroup group;
  bool argument_mode = false;

  const auto split_head = [&] {
    if (group.size() > 0) {
      name_ = group.back();
      return_type_ = group.Join(group.size() - 1);
    }  // a head without words leaves name and return type empty
    argument_mode = true;
    group.Clear();
  };
  const auto close_argument = [&] {
    Arg& arg = args_[arg_count_];
    if (group.size() == 1) {
      arg.type = group[0];
    } else if (group.size() >= 2) {
      arg.name = group.back();
      arg.type = group.Join(group.size() - 1);
    }
    if (!arg.name.empty() && (arg.name[0] == '*' || arg.name[0] == '&')) {
      MoveLeadingRun(arg.name[0], arg.name, arg.type);
    }
    ++arg_count_;
    group.Clear();
  };

  for (std::size_t pos = 0;;) {
    while (pos < text.size() && IsSkipped(text[pos])) ++pos;
    if (pos >= text.size()) {
      // The pending words of an argument that no ')' or ',' closed are dropped.
      if (!argument_mode) split_head();
      break;
    }
    const char c = text[pos];
    std::size_t length = 0;
    if (c == '(' && !argument_mode) {
      split_head();
    } else if ((c == ')' || c == ',') && arg_count_ < kMaxArgs) {
      close_argument();
    } else {
      // After the sixteenth argument a ')' or ',' in argument mode makes an empty word; such
      // words are never closed, so the rest of the text is ignored.
      length = argument_mode ? ArgWordLength(text, pos) : HeadWordLength(text, pos);
      group.Add(text.substr(pos, length));
    }
    pos += length > 0 ? length : 1;
  }

  // "char *strdup(...)": the pointer belongs to the return type. A leading '&' stays with the
  // name.
  if (!name_.empty() && name_[0] == '*') MoveLeadingRun('*', name_, return_type_);

  // Unnamed arguments get "argv" plus their position from 0, the index the rest of the program
  // uses for them too; the position (unlike the count) gives every one a name of its own.
  // Naming stops at a nameless "void": that is "f(void)", no argument at all.
  for (int i = 0; i < arg_count_; ++i) {
    Arg& arg = args_[i];
    if (!arg.name.empty()) continue;
    if (arg.type == "void") break;
    arg.name = "argv" + std::to_string(i);
  }
  return true;
}

bool PrototypeParser::GetName(std::string& name) const {
  name = name_;
  return true;
}

bool PrototypeParser::GetReturnType(std::string& return_type) const {
  return_type = return_type_;
  return true;
}

bool PrototypeParser::GetArg(int index, std::string& type, std::string& name) const {
  if (index < 0 || index >= kMaxArgs) return false;
  type = args_[index].type;
  name = args_[index].name;
  return true;
}

}  // namespace quillmap
