#include "ingest/source_tokens.h"

#include <algorithm>

#include "ingest/c_tokens.h"
#include "ingest/doc_comment.h"

namespace quillmap::ingest {

namespace {

std::uint32_t LastLine(const SourceToken& token) {
  return token.line +
         static_cast<std::uint32_t>(std::count(token.text.begin(), token.text.end(), '\n'));
}

CodeComment MakeComment(const std::vector<const SourceToken*>& group) {
  std::vector<std::string_view> raw;
  for (const SourceToken* token : group) raw.push_back(token->text);
  std::size_t skipped = 0;
  CodeComment comment;
  comment.text = CommentText(raw, &skipped);
  comment.line = group.front()->line + static_cast<std::uint32_t>(skipped);
  if (comment.text.empty()) comment = {};
  return comment;
}

}  // namespace

bool IsStorageOrSpecifier(std::string_view word) {
  for (std::string_view keyword :
       {"extern", "static", "inline", "__inline", "__inline__", "_Noreturn", "__extension__",
        "register", "_Thread_local", "__thread", "typedef"}) {
    if (word == keyword) return true;
  }
  return false;
}

bool IsAttributeKeyword(std::string_view word) {
  for (std::string_view keyword : {"__attribute__", "__attribute", "__declspec", "__asm__", "__asm",
                                   "asm", "_Alignas", "alignas"}) {
    if (word == keyword) return true;
  }
  return false;
}

std::size_t DeclarationTokens::IndexOfOffset(std::uint32_t offset) const {
  const auto it = std::find(offsets.begin(), offsets.end(), offset);
  return static_cast<std::size_t>(it - offsets.begin());
}

std::size_t SourceTokens::IndexAt(std::uint32_t offset) const {
  const auto it = std::lower_bound(
      tokens_.begin(), tokens_.end(), offset,
      [](const SourceToken& token, std::uint32_t value) { return token.offset < value; });
  return static_cast<std::size_t>(it - tokens_.begin());
}

std::size_t SourceTokens::SkipGroup(std::size_t open) const {
  const std::string opener = tokens_[open].text;
  const std::string closer = opener == "(" ? ")" : "]";
  int depth = 0;
  for (std::size_t i = open; i < tokens_.size(); ++i) {
    if (tokens_[i].comment) continue;
    if (tokens_[i].text == opener) ++depth;
    if (tokens_[i].text == closer && --depth == 0) return i + 1;
  }
  return tokens_.size();
}

CodeComment SourceTokens::LeadingComment(std::size_t first) const {
  if (first == 0 || first > tokens_.size()) return {};
  // Words before the declaration on its first line that it doesn't cover, such as a macro
  // that expands to nothing ("API int f(void);"), stand between it and its comment.
  const std::uint32_t line =
      first < tokens_.size() ? tokens_[first].line : LastLine(tokens_.back());
  std::size_t index = first;
  while (index > 0 && !tokens_[index - 1].comment && tokens_[index - 1].line == line &&
         IsWordToken(tokens_[index - 1].text)) {
    --index;
  }
  if (index == 0 || !tokens_[index - 1].comment) return {};
  const std::size_t last = index - 1;
  // A comment after code on its line belongs to that code.
  if (last > 0 && !tokens_[last - 1].comment && LastLine(tokens_[last - 1]) == tokens_[last].line) {
    return {};
  }
  const CommentKind kind = ClassifyComment(tokens_[last].text);
  if (kind.trailing) return {};
  std::vector<const SourceToken*> group = {&tokens_[last]};
  if (kind.doc && kind.line) {
    // Consecutive "///" lines make one comment.
    for (std::size_t i = last; i > 0; --i) {
      const SourceToken& previous = tokens_[i - 1];
      const CommentKind previous_kind = ClassifyComment(previous.text);
      if (!previous.comment || !previous_kind.doc || !previous_kind.line ||
          previous_kind.trailing || previous.line + 1 != group.front()->line) {
        break;
      }
      if (i - 1 > 0 && LastLine(tokens_[i - 2]) == previous.line) break;
      group.insert(group.begin(), &previous);
    }
  } else if (!kind.doc) {
    // A plain comment counts only as a block comment directly above (or before) the
    // declaration.
    if (kind.line || LastLine(tokens_[last]) + 1 < line) return {};
  }
  CodeComment comment = MakeComment(group);
  if (IsFileComment(comment.text)) return {};
  return comment;
}

CodeComment SourceTokens::TrailingComment(std::uint32_t end_offset) const {
  std::size_t index = IndexAt(end_offset);
  if (index == 0 || index >= tokens_.size()) return {};
  const std::uint32_t line = LastLine(tokens_[index - 1]);
  while (index < tokens_.size() && !tokens_[index].comment && tokens_[index].line == line &&
         (tokens_[index].text == ";" || tokens_[index].text == ",")) {
    ++index;
  }
  if (index >= tokens_.size() || !tokens_[index].comment || tokens_[index].line != line) return {};
  return MakeComment({&tokens_[index]});
}

DeclarationTokens SourceTokens::Declaration(std::uint32_t begin_offset, std::uint32_t end_offset,
                                            const NoiseMacroTest& is_noise_macro) const {
  DeclarationTokens result;
  const std::size_t end = IndexAt(end_offset);
  for (std::size_t i = IndexAt(begin_offset); i < end;) {
    const SourceToken& token = tokens_[i];
    const bool group_follows = i + 1 < end && tokens_[i + 1].text == "(";
    if (token.comment || IsStorageOrSpecifier(token.text)) {
      ++i;
    } else if (IsAttributeKeyword(token.text) || (is_noise_macro && is_noise_macro(token.text))) {
      i = group_follows ? SkipGroup(i + 1) : i + 1;
    } else if (token.text == "[" && i + 1 < end && tokens_[i + 1].text == "[") {
      i = SkipGroup(i);  // [[attribute]]
    } else {
      result.texts.push_back(token.text);
      result.offsets.push_back(token.offset);
      ++i;
    }
  }
  return result;
}

}  // namespace quillmap::ingest
