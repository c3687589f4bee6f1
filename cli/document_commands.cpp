// The document commands: new, resave and dump.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/common.h"
#include "cli/json.h"

namespace cli {

namespace {

// Writes to the standard output in large pieces.
class Output {
 public:
  ~Output() { Flush(); }
  std::string& buffer() { return buffer_; }
  void Spill() {
    if (buffer_.size() >= kPiece) Flush();
  }
  void Flush() {
    if (!buffer_.empty() &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) {
      failed_ = true;
    }
    buffer_.clear();
  }
  // True when everything reached the standard output.
  bool Finish() {
    Flush();
    return std::fflush(stdout) == 0 && !failed_;
  }

 private:
  static constexpr std::size_t kPiece = 1 << 20;
  std::string buffer_;
  bool failed_ = false;
};

void AppendHex(const unsigned char* data, std::uint32_t length, std::string& out) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::uint32_t i = 0; i < length; ++i) {
    out.push_back(kDigits[data[i] >> 4]);
    out.push_back(kDigits[data[i] & 15]);
  }
}

// A tree as the JSON array of its root's children; each node is
// {"name": ..., ["data": hex,] "children": [...]}. Written as the nodes are read, so that a
// tree of millions of nodes needs no memory of its own.
class JsonTree : public quillmap::TreeVisitor {
 public:
  explicit JsonTree(Output& output) : output_(output), out_(output.buffer()) { out_ += '['; }
  ~JsonTree() override { out_ += ']'; }

  bool Open(std::string_view name, const unsigned char* data, std::uint32_t data_length,
            std::uint32_t) override {
    if (!first_) out_ += ", ";
    out_ += "{\"name\": ";
    out_ += name.empty() ? std::string("\"\"") : JsonSjisString(name);
    if (data != nullptr && data_length != 0) {
      out_ += ", \"data\": \"";
      AppendHex(data, data_length, out_);
      out_ += '"';
    }
    out_ += ", \"children\": [";
    first_ = true;
    output_.Spill();
    return true;
  }
  void Close() override {
    out_ += "]}";
    first_ = false;
  }

 private:
  Output& output_;
  std::string& out_;
  bool first_ = true;  // no node written yet at the current level
};

void WriteRecords(const char* key, const quillmap::RecordTable& records, Output& output) {
  std::string& out = output.buffer();
  out += '"';
  out += key;
  out += "\": [";
  for (std::size_t i = 0; i < records.Count(); ++i) {
    out += i ? ",\n" : "\n";
    {
      JsonTree tree(output);
      records.At(i)->Read(tree);
    }
    // Here too: a million empty records write no node, yet their brackets add up.
    output.Spill();
  }
  out += records.Count() ? "\n]" : "]";
}

}  // namespace

int RunNew(int argc, char** argv) {
  if (argc != 2) return Usage();
  quillmap::DocumentLock lock;
  if (!LockDocument(argv[1], lock)) return kExitFailure;
  quillmap::SpecStore store;
  return SaveDocument(store, argv[1]) ? kExitOk : kExitFailure;
}

int RunResave(int argc, char** argv) {
  if (argc != 3) return Usage();
  // Locked before reading: with IN and OUT one file, this is a read-modify-write.
  quillmap::DocumentLock lock;
  if (!LockDocument(argv[2], lock)) return kExitFailure;
  quillmap::SpecStore store;
  if (!LoadDocument(argv[1], store)) return kExitFailure;
  return SaveDocument(store, argv[2]) ? kExitOk : kExitFailure;
}

int RunDump(int argc, char** argv) {
  if (argc != 2) return Usage();
  quillmap::SpecStore store;
  if (!LoadDocument(argv[1], store)) return kExitFailure;
  Output output;
  output.buffer() += "{\"info\": ";
  {
    JsonTree tree(output);
    store.ReadInfo(tree);
  }
  output.buffer() += ",\n";
  const quillmap::RecordSnapshot records = store.Snapshot();
  WriteRecords("functions", *records.functions, output);
  output.buffer() += ",\n";
  WriteRecords("structures", *records.structures, output);
  output.buffer() += "}\n";
  if (!output.Finish()) {
    PrintError("can't write the standard output");
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace cli
