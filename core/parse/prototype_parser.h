#pragma once
// Splits one typed line (a bare name or a C prototype, Shift-JIS bytes) into return type,
// function name and up to 16 arguments. A small scanner over bytes, not a C grammar: it knows
// blanks, commas and parentheses and a few rules for '*' and '&', and never rejects its input.

#include <array>
#include <string>

namespace quillmap {

class PrototypeParser {
 public:
  static constexpr int kMaxArgs = 16;

  // Splits the text; always returns true. Meant to be called once per parser.
  bool Parse(std::string text);

  bool GetName(std::string& name) const;
  bool GetReturnType(std::string& return_type) const;
  int GetArgCount() const { return arg_count_; }
  // Copies argument slot `index`. False for a negative index and for one beyond the 16 slots;
  // slots from GetArgCount() on are empty.
  bool GetArg(int index, std::string& type, std::string& name) const;

 private:
  struct Arg {
    std::string type;
    std::string name;
  };

  std::string name_;
  std::string return_type_;
  std::array<Arg, kMaxArgs> args_;
  int arg_count_ = 0;
};

}  // namespace quillmap
