#pragma once
// C declarations as token lists: splitting text into tokens, joining tokens back with one
// spacing (the editor's: "const char*", "int (*)(int)", "char* const"), and the split of a
// declaration into a type and a name.

#include <string>
#include <string_view>
#include <vector>

namespace quillmap::ingest {

// Splits C text into tokens: words (letters, digits, '_' and every byte from 0x80, so that
// UTF-8 and Shift-JIS pass whole), "..." and single other characters. Blanks and line ends only
// separate.
std::vector<std::string> TokenizeC(std::string_view text);

// Joins tokens with single blanks, except none after "(" and "[", none before ")", "]", "[",
// "," and ";", and none in ")(". '*' and '&' stick to what stands before them, as the editor
// writes "char*": "int (*)(int)", "void* (*)(void*)".
std::string JoinTokens(const std::vector<std::string>& tokens);

// The type text with blanks and pointer spacing made uniform: "char *", "char*" and
// "char  * " all give "char*".
std::string NormalizeType(std::string_view type);

struct Declaration {
  std::string type;
  std::string name;
};

// Splits declaration tokens at the name (tokens[name_index]) as the editor splits a typed
// argument: the tokens before the name are the type and the name keeps what follows it
// ("char* argv[]" gives "char*" and "argv[]", "unsigned f : 3" gives "unsigned" and "f : 3").
// A name inside parentheses ("int (*cb)(int)") leaves the whole declarator in the type:
// "int (*)(int)" and "cb".
Declaration SplitDeclaration(const std::vector<std::string>& tokens, std::size_t name_index);

// A type and name as the check compares them: the name reduced to its identifier, and what
// else the name held moved into the type, both normalised. So ("char*", "argv[]") and
// ("char *[]", "argv") agree, and so do ("int", "(*cb)(int)") and ("int (*)(int)", "cb").
Declaration CanonicalDeclaration(std::string_view type, std::string_view name);

// True for a token that starts a word (an identifier, keyword or number).
bool IsWordToken(std::string_view token);

}  // namespace quillmap::ingest
