// annotate: writes the document's comment block of every function that the C files define above
// its definition, in place of the block an earlier run wrote there. Each file is read through
// the libclang reader and written whole, through the same safe writer as documents, or not at
// all.
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/common.h"
#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/output/clipboard_text.h"
#include "core/output/ini_profile.h"
#include "core/text/sjis.h"
#include "ingest/annotate_diff.h"
#include "ingest/annotate_place.h"
#include "ingest/annotate_source.h"
#include "ingest/clang_reader.h"
#include "ingest/code_model.h"

namespace cli {

namespace {

namespace ingest = quillmap::ingest;

struct AnnotateArguments {
  bool ok = false;
  bool declarations = false;
  bool dry_run = false;
  std::optional<int> flags;
  ingest::EncodingChoice encoding = ingest::EncodingChoice::kAuto;
  std::string document;
  std::vector<std::string> files;
  std::vector<std::string> compiler_args;  // everything after "--"
};

std::optional<ingest::EncodingChoice> ParseEncoding(std::string_view word) {
  if (word == "auto") return ingest::EncodingChoice::kAuto;
  if (word == "sjis") return ingest::EncodingChoice::kSjis;
  if (word == "utf-8") return ingest::EncodingChoice::kUtf8;
  return std::nullopt;
}

AnnotateArguments ParseAnnotateArguments(int argc, char** argv) {
  AnnotateArguments args;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      args.compiler_args.assign(argv + i + 1, argv + argc);
      break;
    }
    // "--name VALUE" or "--name=VALUE"
    auto value_of = [&](const std::string& name) -> std::optional<std::string> {
      if (arg == name && i + 1 < argc) return std::string(argv[++i]);
      if (arg.starts_with(name + "=")) return arg.substr(name.size() + 1);
      return std::nullopt;
    };
    if (arg == "--declarations") {
      args.declarations = true;
    } else if (arg == "--dry-run") {
      args.dry_run = true;
    } else if (arg == "--flags" || arg.starts_with("--flags=")) {
      const std::optional<std::string> value = value_of("--flags");
      args.flags = value ? ParseFlagWord(*value) : std::nullopt;
      if (!args.flags) {
        PrintError("annotate: --flags takes a 32-bit number (decimal or 0x hexadecimal)");
        return args;
      }
    } else if (arg == "--encoding" || arg.starts_with("--encoding=")) {
      const std::optional<std::string> value = value_of("--encoding");
      const auto encoding = value ? ParseEncoding(*value) : std::nullopt;
      if (!encoding) {
        PrintError("annotate: --encoding takes auto, sjis or utf-8");
        return args;
      }
      args.encoding = *encoding;
    } else if (arg.size() > 1 && arg[0] == '-') {
      PrintError("annotate: unknown option '" + arg + "' (compiler options go after '--')");
      return args;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() < 2) return args;
  args.document = positional[0];
  args.files.assign(positional.begin() + 1, positional.end());
  args.ok = true;
  return args;
}

void Note(const std::string& file, std::uint32_t line, const std::string& message,
          std::string_view kind = "note") {
  PrintError(ingest::FormatFinding({file, line, message}, kind));
}

// The run over all files: what it has annotated and whether anything failed.
class Annotator {
 public:
  Annotator(const AnnotateArguments& args, const quillmap::SpecStore& store,
            quillmap::ClipboardSpecSettings flags)
      : args_(args), store_(store), flags_(flags), reader_(CompilerArgs(args.compiler_args)) {}

  void AnnotateFile(const std::string& path) {
    // A FIFO or a device would hold the run up or never end; only files are annotated.
    std::error_code error_code;
    const auto status = std::filesystem::status(path, error_code);
    if (!error_code && !std::filesystem::is_regular_file(status)) {
      return FailReading(path + ": not a regular file; left as it was");
    }
    std::string bytes;
    try {
      quillmap::File file;
      file.Open(path, quillmap::File::Mode::kRead);
      const std::shared_ptr<quillmap::FileBytes> content = file.ReadToEnd();
      if (content->size > kMaxSize) {
        return FailReading(path + ": too large to annotate (more than 1 GiB)");
      }
      bytes.assign(reinterpret_cast<const char*>(content->data.get()), content->size);
    } catch (const quillmap::FileError& error) {
      return FailReading(error.what());
    }
    const ingest::SourceText source(std::move(bytes), args_.encoding);
    if (!source.ok()) return FailReading(path + ": " + source.error() + "; left as it was");

    ingest::ReadOptions options;
    options.definitions = true;
    options.contents = source.utf8();
    const ingest::ReadResult result = reader_.Read(path, options);
    for (const std::string& error : result.errors) PrintError(error);
    if (result.unavailable) {
      // No C reader: its message says what to install, and no other file can be read either.
      unavailable_ = true;
      failed_ = true;
      return;
    }
    if (!result.ok) return FailReading(path + " could not be read; left as it was");

    std::vector<ingest::BlockRequest> requests;
    std::vector<const ingest::CodeFunction*> requested;
    std::set<std::string> noted;
    for (const ingest::CodeFunction& function : result.file.functions) {
      // A declaration that a macro writes whole hides whether it has a body (bodies aren't
      // read): it is reported either way, never taken for a function no file defines.
      if (function.from_macro) {
        found_.insert(function.name);
        Note(path, function.line,
             "function '" + function.name + "' comes out of a macro expansion; left alone");
        continue;
      }
      if (!function.is_definition && !args_.declarations) continue;
      found_.insert(function.name);
      quillmap::FunctionSpec record;
      const quillmap::text::EncodeResult name = quillmap::text::Utf8ToSjis(function.name);
      const std::int32_t index = name.ok ? store_.FindFunction(name.bytes) : -1;
      if (index < 0 || !store_.GetFunction(index, record)) {
        if (noted.insert(function.name).second) {
          Note(path, function.line, "function '" + function.name + "' is not in the document");
        }
        continue;
      }
      std::string sjis_block;
      quillmap::ClipboardSpecText(sjis_block, record, flags_);
      std::optional<std::string> block = ingest::BlockInEncoding(sjis_block, source.encoding());
      if (!block) {
        Note(path, function.line,
             "the comment block of function '" + function.name +
                 "' holds bytes that are not Shift-JIS, which the file can't hold; left alone",
             "error");
        failed_ = true;
        continue;
      }
      requests.push_back({function.begin_offset, std::move(*block)});
      requested.push_back(&function);
    }

    const ingest::BlockPlan plan = ingest::PlanBlocks(source, requests);
    for (const auto& [index, reason] : plan.skipped) {
      Note(path, requested[index]->line,
           "function '" + requested[index]->name + "' left alone: " + reason);
    }
    if (plan.edits.empty()) return;
    const std::vector<std::string_view> lines = ingest::SplitLines(source.bytes());
    if (args_.dry_run) {
      const std::string diff = ingest::UnifiedDiff(path, lines, plan.edits, source.encoding());
      if (std::fwrite(diff.data(), 1, diff.size(), stdout) != diff.size() ||
          std::fflush(stdout) != 0) {
        Fail("annotate: can't write to the standard output");
      }
      return;
    }
    try {
      quillmap::AtomicFileWriter writer(path);
      writer.file().Write(ingest::ApplyEdits(lines, plan.edits));
      writer.Commit();
    } catch (const quillmap::FileError& error) {
      Fail(std::string(error.what()) + "; left as it was");
    }
  }

  // Notes of the document's functions that no file defines (declares, with --declarations).
  // Left out when a file could not be read: the function may be there.
  void NoteMissing() const {
    if (unread_) return;
    for (std::uint32_t i = 0; i < store_.GetFunctionCount(); ++i) {
      quillmap::FunctionSpec record;
      if (!store_.GetFunction(static_cast<std::int32_t>(i), record)) continue;
      const std::string utf8 = quillmap::text::SjisToUtf8(record.GetRecordName());
      if (found_.contains(utf8)) continue;
      Note(args_.document, 0,
           "function '" + utf8 + "' of the document is " +
               (args_.declarations ? "declared" : "defined") + " in no file");
    }
  }

  bool failed() const { return failed_; }
  bool unavailable() const { return unavailable_; }

 private:
  static constexpr std::uint64_t kMaxSize = 1ull << 30;

  // The reader is given UTF-8 text, whatever the file's encoding: an input character set meant
  // for the compiler would only make libclang refuse it.
  static std::vector<std::string> CompilerArgs(std::vector<std::string> args) {
    std::erase_if(args, [](const std::string& arg) { return arg.starts_with("-finput-charset="); });
    return args;
  }

  void Fail(const std::string& message) {
    PrintError(message);
    failed_ = true;
  }
  void FailReading(const std::string& message) {
    Fail(message);
    unread_ = true;
  }

  const AnnotateArguments& args_;
  const quillmap::SpecStore& store_;
  quillmap::ClipboardSpecSettings flags_;
  ingest::ClangReader reader_;
  std::set<std::string> found_;  // names of the functions the files define (UTF-8)
  bool failed_ = false;
  bool unavailable_ = false;
  bool unread_ = false;
};

}  // namespace

int RunAnnotate(int argc, char** argv) {
  const AnnotateArguments args = ParseAnnotateArguments(argc, argv);
  if (!args.ok) return Usage();
  quillmap::ClipboardSpecSettings flags = 0;
  if (args.flags) {
    flags = *args.flags;
  } else {
    const quillmap::IniProfile profile(quillmap::IniProfile::DefaultPath());
    flags = quillmap::LoadClipboardSpecSettings(&profile);
  }
  quillmap::SpecStore store;
  if (!LoadDocument(args.document, store)) return kExitFailure;
  Annotator annotator(args, store, flags);
  for (const std::string& path : args.files) {
    annotator.AnnotateFile(path);
    if (annotator.unavailable()) return kExitFailure;
  }
  annotator.NoteMissing();
  return annotator.failed() ? kExitFailure : kExitOk;
}

}  // namespace cli
