#include "ingest/annotate_diff.h"

#include <algorithm>

#include "core/text/sjis.h"

namespace quillmap::ingest {

namespace {

constexpr std::uint32_t kContext = 3;

class DiffWriter {
 public:
  explicit DiffWriter(SourceEncoding encoding) : encoding_(encoding) {}

  void Line(char mark, std::string_view line) {
    out_ += mark;
    out_ += encoding_ == SourceEncoding::kSjis ? text::SjisToUtf8(line) : std::string(line);
    if (!line.ends_with('\n')) out_ += "\n\\ No newline at end of file\n";
  }

  // "-START,COUNT": an empty range is named by the line before it, a count of 1 is left out.
  void Range(char mark, std::uint32_t start, std::uint32_t count) {
    out_ += mark;
    out_ += std::to_string(count == 0 ? start : start + 1);
    if (count != 1) {
      out_ += ',';
      out_ += std::to_string(count);
    }
  }

  std::string& out() { return out_; }

 private:
  SourceEncoding encoding_;
  std::string out_;
};

}  // namespace

std::string UnifiedDiff(std::string_view path, const std::vector<std::string_view>& lines,
                        const std::vector<LineEdit>& edits, SourceEncoding encoding) {
  if (edits.empty()) return {};
  DiffWriter writer(encoding);
  writer.out() = "--- a/" + std::string(path) + "\n+++ b/" + std::string(path) + "\n";
  const auto size = static_cast<std::uint32_t>(lines.size());
  std::int64_t shift = 0;  // lines added minus lines removed before the hunk
  for (std::size_t first = 0; first < edits.size();) {
    // A hunk takes every edit whose context touches the previous one's.
    std::size_t last = first;
    while (last + 1 < edits.size() &&
           edits[last + 1].first <= edits[last].first + edits[last].removed + 2 * kContext) {
      ++last;
    }
    const std::uint32_t begin = edits[first].first - std::min(edits[first].first, kContext);
    const std::uint32_t end = std::min(size, edits[last].first + edits[last].removed + kContext);
    std::uint32_t added = 0;
    std::uint32_t removed = 0;
    for (std::size_t i = first; i <= last; ++i) {
      added += static_cast<std::uint32_t>(edits[i].added.size());
      removed += edits[i].removed;
    }
    writer.out() += "@@ ";
    writer.Range('-', begin, end - begin);
    writer.out() += ' ';
    writer.Range('+', static_cast<std::uint32_t>(begin + shift), end - begin - removed + added);
    writer.out() += " @@\n";
    std::uint32_t line = begin;
    for (std::size_t i = first; i <= last; ++i) {
      for (; line < edits[i].first; ++line) writer.Line(' ', lines[line]);
      for (std::uint32_t k = 0; k < edits[i].removed; ++k) writer.Line('-', lines[line++]);
      for (const std::string& text : edits[i].added) writer.Line('+', text);
    }
    for (; line < end; ++line) writer.Line(' ', lines[line]);
    shift += static_cast<std::int64_t>(added) - removed;
    first = last + 1;
  }
  return writer.out();
}

}  // namespace quillmap::ingest
