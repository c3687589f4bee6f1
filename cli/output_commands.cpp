// The commands that add functions from prototypes and produce the document's outputs: the HTML
// reference page and one function's comment block.
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/common.h"
#include "core/model/file.h"
#include "core/model/file_identity.h"
#include "core/model/spec_store.h"
#include "core/output/clipboard_text.h"
#include "core/output/html_exporter.h"
#include "core/output/ini_profile.h"
#include "core/parse/add_function.h"
#include "core/text/sjis.h"

namespace cli {
namespace {

// Splits argv[1..] into positional arguments and the values of the options it knows. An option
// that takes a value is given as "--name VALUE" or "--name=VALUE".
struct Arguments {
  std::vector<std::string> positional;
  std::optional<std::string> attributes;  // export --attributes
  std::optional<std::string> flags;       // clip --flags
  bool sjis = false;                      // clip --sjis
  bool ok = true;
};

Arguments ParseArguments(int argc, char** argv, bool allow_attributes, bool allow_clip_options) {
  Arguments result;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto take_value = [&](std::string_view name, std::optional<std::string>& slot) {
      if (arg == name) {
        if (i + 1 >= argc) return result.ok = false;
        slot = argv[++i];
        return true;
      }
      if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=') {
        slot = std::string(arg.substr(name.size() + 1));
        return true;
      }
      return false;
    };
    if (allow_attributes && take_value("--attributes", result.attributes)) continue;
    if (allow_clip_options && take_value("--flags", result.flags)) continue;
    if (allow_clip_options && arg == "--sjis") {
      result.sjis = true;
      continue;
    }
    if (arg.starts_with("--")) {
      result.ok = false;
      continue;
    }
    result.positional.emplace_back(arg);
  }
  return result;
}

// The attribute slots named by a comma-separated list of attribute words; nullopt for a word
// that names no attribute. Empty items are passed over, so "" enables no slot.
std::optional<std::vector<bool>> ParseAttributeList(std::string_view list) {
  std::vector<bool> enabled(quillmap::kFuncAttributeCount, false);
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view word = list.substr(0, comma);
    if (!word.empty()) {
      bool known = false;
      for (int code = 0; code < quillmap::kFuncAttributeCount; ++code) {
        if (word == quillmap::FuncAttributeWord(code)) enabled[code] = known = true;
      }
      if (!known) return std::nullopt;
    }
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return enabled;
}

}  // namespace

int RunAdd(int argc, char** argv) {
  const Arguments args = ParseArguments(argc, argv, false, false);
  if (!args.ok || args.positional.size() < 2) return Usage();
  const std::string& path = args.positional[0];

  // Held from reading to saving, so that a concurrent add or save is never overwritten.
  quillmap::DocumentLock lock;
  if (!LockDocument(path, lock)) return kExitFailure;
  quillmap::SpecStore store;
  if (!LoadDocument(path, store)) return kExitFailure;
  const std::string comment = quillmap::text::Sjis("新規作成");
  const std::time_t today = std::time(nullptr);
  // Every prototype goes into the loaded copy; the file is written only when all were added.
  for (std::size_t i = 1; i < args.positional.size(); ++i) {
    std::string prototype;
    if (!ArgToSjis(args.positional[i], prototype)) return kExitFailure;
    switch (quillmap::AddFunctionFromPrototype(store, prototype, today, comment)) {
      case quillmap::AddFunctionResult::kAdded:
        break;
      case quillmap::AddFunctionResult::kNameTaken:
        PrintError("すでに存在する関数名です");
        return kExitFailure;
      case quillmap::AddFunctionResult::kEmptyText:
        PrintError("add: a prototype is empty");
        return kExitUsage;
      case quillmap::AddFunctionResult::kNoName:
        // The editor refuses such a text too ("関数名を入力してください").
        PrintError("add: '" + args.positional[i] + "' names no function");
        return kExitUsage;
      case quillmap::AddFunctionResult::kFailed:
        PrintError("add: the document can hold no more functions");
        return kExitFailure;
    }
  }
  return SaveDocument(store, path) ? kExitOk : kExitFailure;
}

int RunExport(int argc, char** argv) {
  const Arguments args = ParseArguments(argc, argv, true, false);
  if (!args.ok || args.positional.size() != 2) return Usage();
  std::vector<bool> enabled(quillmap::kFuncAttributeCount, true);
  if (args.attributes) {
    const auto parsed = ParseAttributeList(*args.attributes);
    if (!parsed) {
      PrintError("export: --attributes takes words of public,static,protected,private,inline");
      return Usage();
    }
    enabled = *parsed;
  }
  const std::string& path = args.positional[0];
  const std::string& out_path = args.positional[1];
  // Compared as files, so that no other spelling, link or hard link of the document slips by.
  if (quillmap::SameFile(path, out_path)) {
    PrintError("export: '" + out_path + "' is the document '" + path +
               "' itself; the page would replace it");
    return kExitFailure;
  }

  quillmap::SpecStore store;
  if (!LoadDocument(path, store)) return kExitFailure;
  quillmap::HtmlExporter exporter;
  exporter.Attach(&store);
  for (unsigned slot = 0; slot < enabled.size(); ++slot) {
    exporter.SetAttributeFlag(slot, enabled[slot] ? 1 : 0);
  }
  try {
    // Like a document: the old page stays until the new one is whole.
    quillmap::AtomicFileWriter writer(out_path);
    exporter.Write(&writer.file());
    writer.Commit();
  } catch (const quillmap::FileError& error) {
    // The error's text names the path and the system's reason.
    PrintError(std::string("export: ") + error.what());
    return kExitFailure;
  }
  return kExitOk;
}

int RunClip(int argc, char** argv) {
  const Arguments args = ParseArguments(argc, argv, false, true);
  if (!args.ok || args.positional.size() != 2) return Usage();
  quillmap::ClipboardSpecSettings flags = 0;
  if (args.flags) {
    const auto parsed = ParseFlagWord(*args.flags);
    if (!parsed) {
      PrintError("clip: --flags takes a 32-bit number (decimal or 0x hexadecimal)");
      return Usage();
    }
    flags = *parsed;
  } else {
    const quillmap::IniProfile profile(quillmap::IniProfile::DefaultPath());
    flags = quillmap::LoadClipboardSpecSettings(&profile);
  }
  const std::string& path = args.positional[0];

  quillmap::SpecStore store;
  if (!LoadDocument(path, store)) return kExitFailure;
  std::string name;
  if (!ArgToSjis(args.positional[1], name)) return kExitFailure;
  const std::int32_t index = store.FindFunction(name);
  const quillmap::RecordSnapshot records = store.Snapshot();
  const quillmap::StoredTree* function =
      index < 0 ? nullptr : records.functions->At(static_cast<std::size_t>(index));
  if (function == nullptr) {
    PrintError("clip: " + path + " has no function named '" + args.positional[1] + "'");
    return kExitFailure;
  }
  // Written as it is made: a record of any size costs no copy of itself or of its block.
  bool written = true;
  std::string utf8;
  quillmap::text::SjisToUtf8Stream decoder;
  auto write = [&written](std::string_view bytes) {
    written = written && std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  };
  quillmap::WriteClipboardSpecText(
      [function](quillmap::TreeVisitor& visitor) { function->Read(visitor); }, flags,
      [&](std::string_view piece) {
        if (args.sjis) return write(piece);
        utf8.clear();
        decoder.Put(piece, utf8);
        write(utf8);
      });
  utf8.clear();
  decoder.Finish(utf8);
  write(utf8);
  if (!written || std::fflush(stdout) != 0) {
    PrintError("clip: can't write to the standard output");
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace cli
