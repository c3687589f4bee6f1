#pragma once
// Reads the function declarations and structure definitions of C files with libclang, in the
// process that calls it: quillmap-c-reader's work.

#include <memory>
#include <string>
#include <vector>

#include "ingest/clang_reader.h"

namespace quillmap::reader {

class LibclangReader {
 public:
  // compiler_args as the user gave them (see ReaderCompilerArgs for what is added).
  explicit LibclangReader(const std::vector<std::string>& compiler_args);
  ~LibclangReader();
  LibclangReader(const LibclangReader&) = delete;
  LibclangReader& operator=(const LibclangReader&) = delete;

  // As ClangReader::Read.
  ingest::ReadResult Read(const std::string& path, const ingest::ReadOptions& options) const;

 private:
  struct Index;
  std::unique_ptr<Index> index_;
  std::vector<std::string> args_;
};

}  // namespace quillmap::reader
