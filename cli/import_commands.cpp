// import and check: from C headers to the document, and the document compared with them. Both
// read the headers through the C reader (quillmap-c-reader, which loads libclang); without it
// they say what to install.
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/common.h"
#include "core/text/sjis.h"
#include "ingest/check_report.h"
#include "ingest/clang_reader.h"
#include "ingest/code_model.h"
#include "ingest/import_records.h"

namespace cli {

namespace {

struct CodeArguments {
  bool ok = false;
  bool dry_run = false;
  std::string document;
  std::vector<std::string> files;
  std::vector<std::string> compiler_args;  // everything after "--"
};

CodeArguments ParseCodeArguments(int argc, char** argv, bool takes_dry_run) {
  CodeArguments args;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      args.compiler_args.assign(argv + i + 1, argv + argc);
      break;
    }
    if (takes_dry_run && arg == "--dry-run") {
      args.dry_run = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      PrintError(std::string(argv[0]) + ": unknown option '" + arg +
                 "' (compiler options go after '--')");
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

std::string Count(std::uint32_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

bool PrintLines(const std::vector<quillmap::ingest::Finding>& findings, std::FILE* stream,
                std::string_view kind = "error") {
  for (const quillmap::ingest::Finding& finding : findings) {
    const std::string line = quillmap::ingest::FormatFinding(finding, kind);
    if (std::fprintf(stream, "%s\n", line.c_str()) < 0) {
      return false;
    }
  }
  return std::fflush(stream) == 0;
}

// Reads every file. On an error prints the compiler's messages, then what the command leaves
// undone (outcome), and returns false. Without a working C reader prints the one line that says
// what to install.
bool ReadFiles(const CodeArguments& args, const std::string& outcome,
               std::vector<quillmap::ingest::CodeFile>& files) {
  const quillmap::ingest::ClangReader reader(args.compiler_args);
  std::string failed;
  for (const std::string& path : args.files) {
    quillmap::ingest::ReadResult result = reader.Read(path);
    for (const std::string& error : result.errors) PrintError(error);
    if (result.unavailable) return false;
    if (!result.ok) failed += (failed.empty() ? "" : ", ") + path;
    files.push_back(std::move(result.file));
  }
  if (failed.empty()) return true;
  PrintError(failed + " could not be read; " + outcome);
  return false;
}

}  // namespace

int RunImport(int argc, char** argv) {
  const CodeArguments args = ParseCodeArguments(argc, argv, true);
  if (!args.ok) return Usage();
  std::vector<quillmap::ingest::CodeFile> files;
  if (!ReadFiles(args, "nothing was added to " + args.document, files)) return kExitFailure;
  // Held from reading the document to saving it, as add holds it.
  quillmap::DocumentLock lock;
  if (!args.dry_run && !LockDocument(args.document, lock)) return kExitFailure;
  quillmap::SpecStore store;
  if (!LoadDocument(args.document, store)) return kExitFailure;
  const quillmap::ingest::ImportSummary summary = quillmap::ingest::ImportDeclarations(
      store, files, std::time(nullptr), quillmap::text::Sjis("新規作成"));
  PrintLines(summary.skipped, stderr);
  const bool changed = summary.functions_added + summary.structs_added > 0;
  if (!args.dry_run && changed && !SaveDocument(store, args.document)) return kExitFailure;
  if (args.dry_run && !PrintLines(summary.added, stdout, "")) return kExitFailure;
  const std::string report =
      args.document + ": " + Count(summary.functions_added, "function") + " and " +
      Count(summary.structs_added, "structure") +
      (args.dry_run ? " would be added; " : " added; ") +
      Count(summary.functions_present, "function") + " and " +
      Count(summary.structs_present, "structure") + " already there" +
      (summary.skipped.empty()
           ? ""
           : "; " + Count(static_cast<std::uint32_t>(summary.skipped.size()), "record") +
                 " left out") +
      "\n";
  if (std::fputs(report.c_str(), stdout) == EOF || std::fflush(stdout) != 0) return kExitFailure;
  return summary.skipped.empty() ? kExitOk : kExitFailure;
}

int RunCheck(int argc, char** argv) {
  const CodeArguments args = ParseCodeArguments(argc, argv, false);
  if (!args.ok) return Usage();
  std::vector<quillmap::ingest::CodeFile> files;
  if (!ReadFiles(args, "nothing was checked", files)) return kExitFailure;
  quillmap::SpecStore store;
  if (!LoadDocument(args.document, store)) return kExitFailure;
  const std::vector<quillmap::ingest::Finding> findings =
      quillmap::ingest::CheckDocument(store, args.document, files);
  if (!PrintLines(findings, stdout)) return kExitFailure;
  return findings.empty() ? kExitOk : kExitFailure;
}

}  // namespace cli
