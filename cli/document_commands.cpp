// The document commands: new, resave and dump.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/common.h"
#include "cli/json.h"

namespace cli {

namespace {

void AppendHex(const unsigned char* data, std::uint32_t length, std::string& out) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::uint32_t i = 0; i < length; ++i) {
    out.push_back(kDigits[data[i] >> 4]);
    out.push_back(kDigits[data[i] & 15]);
  }
}

// A tree as the JSON array of its root's children; each node is
// {"name": ..., ["data": hex,] "children": [...]}. Iterative, so deep trees can't exhaust the
// stack.
void AppendTree(const quillmap::PropertyTree& tree, std::string& out) {
  out += '[';
  std::vector<const quillmap::PropertyNode*> resume;  // where each open level goes on
  const quillmap::PropertyNode* node = tree.FirstChild(tree.Root());
  bool first = true;
  for (;;) {
    if (node == nullptr) {
      if (resume.empty()) break;
      out += "]}";
      node = resume.back();
      resume.pop_back();
      first = false;
      continue;
    }
    if (!first) out += ", ";
    std::string name;
    tree.GetName(node, name);
    out += "{\"name\": ";
    out += JsonSjisString(name);
    if (std::uint32_t length = tree.GetDataLength(node); length && tree.GetData(node)) {
      out += ", \"data\": \"";
      AppendHex(tree.GetData(node), length, out);
      out += '"';
    }
    out += ", \"children\": [";
    if (const quillmap::PropertyNode* child = tree.FirstChild(node)) {
      resume.push_back(tree.NextSibling(node));
      node = child;
      first = true;
    } else {
      out += "]}";
      node = tree.NextSibling(node);
      first = false;
    }
  }
  out += ']';
}

template <typename Record>
void AppendRecords(const char* key, std::uint32_t count,
                   bool (quillmap::SpecStore::*get)(std::int32_t, Record&) const,
                   const quillmap::SpecStore& store, std::string& out) {
  out += '"';
  out += key;
  out += "\": [";
  for (std::uint32_t i = 0; i < count; ++i) {
    Record record(quillmap::kEmptyRecord);
    (store.*get)(static_cast<std::int32_t>(i), record);
    out += i ? ",\n" : "\n";
    AppendTree(record, out);
  }
  out += count ? "\n]" : "]";
}

bool WriteStdout(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    PrintError("can't write the standard output");
    return false;
  }
  return true;
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
  std::string out = "{\"info\": ";
  AppendTree(store.Info(), out);
  out += ",\n";
  AppendRecords<quillmap::FunctionSpec>("functions", store.GetFunctionCount(),
                                        &quillmap::SpecStore::GetFunction, store, out);
  out += ",\n";
  AppendRecords<quillmap::StructSpec>("structures", store.GetStructCount(),
                                      &quillmap::SpecStore::GetStruct, store, out);
  out += "}\n";
  return WriteStdout(out) ? kExitOk : kExitFailure;
}

}  // namespace cli
