#pragma once
// Reads the function declarations and structure definitions of C files. libclang does the
// reading in a program of its own, quillmap-c-reader: only the commands that read C load it,
// and nothing libclang does (a crash, a stack overflow) can take the command down with it.

#include <optional>
#include <string>
#include <vector>

#include "ingest/code_model.h"

namespace quillmap::ingest {

struct ReadOptions {
  // Report each definition, and with it every prototype, as its own CodeFunction. Without it a
  // function declared more than once is reported once, at its first declaration.
  bool definitions = false;
  // UTF-8 text read in place of the file's bytes (the file need not exist).
  std::optional<std::string> contents;
};

struct ReadResult {
  bool ok = false;
  // The C reader could not run at all (not installed, or libclang missing): errors holds the
  // one line that says what to install, and no other file will fare better.
  bool unavailable = false;
  // When !ok: what went wrong, one line each, as compilers print it ("FILE:LINE:COL: error: ...").
  std::vector<std::string> errors;
  CodeFile file;
};

class ClangReader {
 public:
  // compiler_args go to the compiler as they are (-D, -I, -std=...). Files are read as C unless
  // the arguments name a language with -x.
  explicit ClangReader(std::vector<std::string> compiler_args);

  // The declarations of the file itself, not of the files it includes. A file that has an error
  // (its own or one of an included file) is not read: ok is false. So is a file on which the
  // reader crashed, with a message that names it.
  ReadResult Read(const std::string& path, const ReadOptions& options = {}) const;

  // Where quillmap-c-reader is looked for: $QUILLMAP_C_READER when set; otherwise
  // ../lib/quillmap/quillmap-c-reader from the running program (as installed), or else the
  // program's own folder (a build tree).
  static std::string ReaderPath();

 private:
  std::vector<std::string> args_;
};

}  // namespace quillmap::ingest
