#pragma once
// What quillmap-cli and its C reader (quillmap-c-reader, the one program linked to libclang)
// send each other over pipes: one request (the compiler's arguments, the file, the options),
// one answer (the ReadResult). Both ends are built from the same sources, so the format is a
// plain sequence of fields (32-bit little-endian counts and lengths, bytes as they are) behind
// a tag that changes whenever a field does.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ingest/clang_reader.h"

namespace quillmap::ingest {

struct ReadRequest {
  std::vector<std::string> compiler_args;  // as the user gave them
  std::string path;
  ReadOptions options;
};

std::string EncodeRequest(const ReadRequest& request);
// nullopt when bytes are not a whole, well-formed request.
std::optional<ReadRequest> DecodeRequest(std::string_view bytes);

std::string EncodeResult(const ReadResult& result);
// nullopt when bytes are not a whole, well-formed answer (a reader that stopped half-way).
std::optional<ReadResult> DecodeResult(std::string_view bytes);

// Reads fd to its end; false on a read error.
bool ReadToEnd(int fd, std::string& bytes);
// Writes all of bytes to fd; false on a write error.
bool WriteWhole(int fd, std::string_view bytes);

}  // namespace quillmap::ingest
