#pragma once
// Reads the function declarations and structure definitions of C files with libclang.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ingest/code_model.h"

namespace quillmap::ingest {

struct ReadResult {
  bool ok = false;
  // When !ok: what went wrong, one line each, as compilers print it ("FILE:LINE:COL: error: ...").
  std::vector<std::string> errors;
  CodeFile file;
};

struct ReadOptions {
  // Every definition, and with it every prototype, as a CodeFunction of its own; without it a
  // function declared several times is listed once, at its first declaration.
  bool definitions = false;
  // UTF-8 text read in place of the file's bytes (a file converted from another encoding);
  // offsets then count bytes of this text.
  std::optional<std::string> contents;
};

class ClangReader {
 public:
  // compiler_args go to the compiler as they are (-D, -I, -std=...). Files are read as C unless
  // the arguments name a language with -x.
  explicit ClangReader(std::vector<std::string> compiler_args);
  ~ClangReader();
  ClangReader(const ClangReader&) = delete;
  ClangReader& operator=(const ClangReader&) = delete;

  // The declarations of the file itself, not of the files it includes. A file that has an error
  // (its own or one of an included file) is not read: ok is false.
  ReadResult Read(const std::string& path, const ReadOptions& options = {}) const;

 private:
  struct Index;
  std::unique_ptr<Index> index_;
  std::vector<std::string> args_;
};

}  // namespace quillmap::ingest
