#pragma once
// The tokens of one source file, comments included, in file order: where a declaration's
// documentation comment is, and which of a declaration's tokens spell its type and name.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ingest/code_model.h"

namespace quillmap::ingest {

struct SourceToken {
  std::string text;
  std::uint32_t offset = 0;  // byte offset in the file
  std::uint32_t line = 0;    // line of the token's first byte, from 1
  bool comment = false;
};

// The tokens of a declaration that make up its type and name, with the file offset of each.
struct DeclarationTokens {
  std::vector<std::string> texts;
  std::vector<std::uint32_t> offsets;

  // The index of the token at offset; texts.size() when none is.
  std::size_t IndexOfOffset(std::uint32_t offset) const;
};

// Says whether a name is a macro that stands for nothing but storage classes and attributes
// (so that "API int f(void);" has the return type "int").
using NoiseMacroTest = std::function<bool(std::string_view name)>;

class SourceTokens {
 public:
  explicit SourceTokens(std::vector<SourceToken> tokens) : tokens_(std::move(tokens)) {}

  std::size_t size() const { return tokens_.size(); }
  const SourceToken& operator[](std::size_t index) const { return tokens_[index]; }

  // Index of the first token at or after offset (size() when there is none).
  std::size_t IndexAt(std::uint32_t offset) const;

  // The documentation comment in front of the declaration whose first token has index first: a
  // "/** */" or "///" comment (blank lines may stand between), or a plain "/* */" comment that
  // ends on the line above the declaration or on its own line before it. Comments that follow
  // code on their line, trailing ("/**<") and file comments don't count.
  CodeComment LeadingComment(std::size_t first) const;

  // The comment after a declaration that ends at end_offset, on the declaration's last line
  // (after its ";" or ","): "int x; /* count */".
  CodeComment TrailingComment(std::uint32_t end_offset) const;

  // The tokens from index begin up to (not including) the first token at end_offset, without
  // comments, storage classes and function specifiers ("extern", "static", "inline", ...),
  // attributes ("__attribute__((...))", "[[...]]", "__declspec(...)", "__asm__(...)") and
  // noise macros with their arguments.
  DeclarationTokens Declaration(std::uint32_t begin_offset, std::uint32_t end_offset,
                                const NoiseMacroTest& is_noise_macro) const;

 private:
  // The index after the parenthesised (or bracketed) group that opens at index open.
  std::size_t SkipGroup(std::size_t open) const;

  std::vector<SourceToken> tokens_;
};

// Storage classes, function specifiers and attribute keywords: words that say nothing about a
// declaration's type.
bool IsStorageOrSpecifier(std::string_view word);
// Keywords that take a parenthesised argument and say nothing about a type ("__attribute__").
bool IsAttributeKeyword(std::string_view word);

}  // namespace quillmap::ingest
