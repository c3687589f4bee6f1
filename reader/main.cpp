// quillmap-c-reader: reads one C file with libclang for quillmap-cli, which runs it with the
// request on standard input and takes the answer from standard output (see reader_protocol.h).
// It is the only program of Quillmap linked to libclang; it is not meant to be run by hand.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "ingest/reader_protocol.h"
#include "reader/libclang_reader.h"

int main() {
  constexpr int kBadRequest = 2;
  std::string bytes;
  if (!quillmap::ingest::ReadToEnd(STDIN_FILENO, bytes)) return kBadRequest;
  std::optional<quillmap::ingest::ReadRequest> request = quillmap::ingest::DecodeRequest(bytes);
  if (!request) {
    std::fputs("quillmap-c-reader: no request on standard input (it is run by quillmap-cli)\n",
               stderr);
    return kBadRequest;
  }
  bytes.clear();
  bytes.shrink_to_fit();
  const quillmap::reader::LibclangReader reader(request->compiler_args);
  const quillmap::ingest::ReadResult result = reader.Read(request->path, request->options);
  const std::string answer = quillmap::ingest::EncodeResult(result);
  return quillmap::ingest::WriteWhole(STDOUT_FILENO, answer) ? 0 : 1;
}
