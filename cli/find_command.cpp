// find: the lines of a document's texts that hold a text, as the editor's find matches it.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/common.h"
#include "core/find/document_search.h"
#include "core/model/spec_store.h"
#include "core/text/sjis.h"

namespace cli {
namespace {

namespace find = quillmap::find;

// The field as the dump shows its key, with the row (from 1) of a list entry.
std::string FieldLabel(const find::Match& match) {
  std::string label(find::FieldKey(match.field));
  if (match.field == find::Field::kArgument || match.field == find::Field::kMember ||
      match.field == find::Field::kHistory) {
    label += ' ';
    label += std::to_string(match.row + 1);
  }
  return label;
}

// The line of text that holds byte offset, without its line end.
std::string_view LineAt(std::string_view text, std::size_t offset, std::size_t& line_start) {
  // A line feed (0x0A) is never the second byte of a Shift-JIS character.
  const std::size_t feed = offset == 0 ? std::string_view::npos : text.rfind('\n', offset - 1);
  line_start = feed == std::string_view::npos ? 0 : feed + 1;
  std::size_t end = text.find('\n', line_start);
  if (end == std::string_view::npos) end = text.size();
  if (end > line_start && text[end - 1] == '\r') --end;
  return text.substr(line_start, end - line_start);
}

}  // namespace

int RunFind(int argc, char** argv) {
  std::vector<std::string> positional;
  bool names_only = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--names") {
      names_only = true;
    } else if (arg.starts_with("--")) {
      return Usage();
    } else {
      positional.emplace_back(arg);
    }
  }
  if (positional.size() != 2 || positional[1].empty()) return Usage();
  // As grep does: 0 found, 1 nothing found, 2 wrong usage or a failure.
  constexpr int kFailure = kExitUsage;
  std::string pattern;
  if (!ArgToSjis(positional[1], pattern)) return kFailure;
  quillmap::SpecStore store;
  if (!LoadDocument(positional[0], store)) return kFailure;

  const std::string& path = positional[0];
  bool found = false;
  // The line printed last: a line with several matches is printed once.
  find::Position last_line{find::RecordKind::kFunction, -1, 0, 0};
  std::string out;
  find::DocumentSearch(store.Snapshot(), pattern, names_only)
      .ForEach([&](const find::Match& match, std::string_view text) {
        found = true;
        std::size_t line_start = 0;
        const std::string_view line = LineAt(text, match.range.begin, line_start);
        const find::Position line_position{match.kind, match.record, match.text, line_start};
        if (line_position == last_line) return true;
        last_line = line_position;
        const bool function = match.kind == find::RecordKind::kFunction;
        out += path;
        out += function ? ": function " : ": structure ";
        out += quillmap::text::SjisToUtf8(function ? store.GetFunctionName(match.record)
                                                   : store.GetStructName(match.record));
        out += ": ";
        out += FieldLabel(match);
        out += ": ";
        out += quillmap::text::SjisToUtf8(line);
        out += '\n';
        if (out.size() >= (1 << 16)) {
          std::fwrite(out.data(), 1, out.size(), stdout);
          out.clear();
        }
        return true;
      });
  std::fwrite(out.data(), 1, out.size(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    PrintError("can't write the standard output");
    return kFailure;
  }
  return found ? kExitOk : kExitFailure;
}

}  // namespace cli
