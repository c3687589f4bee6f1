#pragma once
// The declarations read from one C file: its functions and structure definitions, with the
// texts as the file spells them (UTF-8, or whatever bytes the file holds) and the lines they are
// on. Made by the libclang reader, used by the import and the check.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmap::ingest {

// A comment that documents a declaration: its text without the comment marks ("/**", " * ",
// "///", ...), lines kept, and the file line of the text's first line. Empty when there is none.
struct CodeComment {
  std::string text;
  std::uint32_t line = 0;
};

// An argument or a member: the type and the name in the editor's split (see
// SplitDeclaration in c_tokens.h). name is empty for an unnamed argument.
struct CodeVariable {
  std::string type;
  std::string name;
  std::uint32_t line = 0;
  CodeComment comment;  // members: the trailing comment, or a documentation comment above
};

struct CodeFunction {
  std::string name;
  std::string return_type;
  // "(void)" is one argument of type "void" without a name and a variadic function ends with an
  // argument of type "...", as the editor's prototype splitting has them; a declaration without
  // a parameter list ("f()") has no argument.
  std::vector<CodeVariable> arguments;
  bool is_static = false;
  bool is_inline = false;
  std::uint32_t line = 0;  // the line of the name
  CodeComment comment;
  bool is_definition = false;      // the declaration has a body
  std::uint32_t begin_offset = 0;  // byte offset, in the text the reader was given, of the
                                   // declaration's first character (its first specifier)
  bool from_macro = false;         // the whole declaration comes out of a macro expansion
};

struct CodeStruct {
  std::string name;                  // the tag, or the typedef name of an anonymous structure
  std::vector<std::string> aliases;  // typedef names of the structure (for the check)
  std::vector<CodeVariable> members;
  std::uint32_t line = 0;
  CodeComment comment;
};

struct CodeFile {
  std::string path;  // as it was named on the command line
  std::vector<CodeFunction> functions;
  std::vector<CodeStruct> structs;
};

// One line of a report about a place in a file.
struct Finding {
  std::string file;
  std::uint32_t line = 0;
  std::string message;  // UTF-8
};

// "FILE:LINE: KIND: MESSAGE", as compilers print their messages; without a kind
// "FILE:LINE: MESSAGE".
std::string FormatFinding(const Finding& finding, std::string_view kind = "error");

}  // namespace quillmap::ingest
