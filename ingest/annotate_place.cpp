#include "ingest/annotate_place.h"

#include <algorithm>
#include <map>

#include "core/text/sjis.h"

namespace quillmap::ingest {

namespace {

// A byte order mark that some editors put at the start of a UTF-8 file; it stays first.
constexpr std::string_view kBom = "\xEF\xBB\xBF";

constexpr std::string_view kRuleLine =
    "//----------------------------------------------------------------------------";

enum class LineKind { kBlank, kComment, kCode };

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// Whether each line of a C text holds code, nothing but comments, or nothing at all. Strings,
// character constants, line splices and comments that span lines are followed, so that a "//"
// in a string or a line inside "/* */" is seen for what it is.
std::vector<LineKind> ClassifyLines(std::string_view text) {
  enum class State { kCode, kLineComment, kBlockComment, kString, kChar };
  std::vector<LineKind> kinds;
  State state = State::kCode;
  bool code = false;
  bool comment = false;
  auto end_line = [&] {
    kinds.push_back(code ? LineKind::kCode : comment ? LineKind::kComment : LineKind::kBlank);
    code = false;
    comment = state == State::kBlockComment || state == State::kLineComment;
  };
  for (std::size_t i = text.starts_with(kBom) ? kBom.size() : 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && (text.substr(i + 1, 1) == "\n" || text.substr(i + 1, 2) == "\r\n")) {
      // A splice: the line's comment or string goes on in the next line.
      if (state == State::kLineComment || state == State::kBlockComment) comment = true;
      if (state == State::kString || state == State::kChar) code = true;
      i += text[i + 1] == '\r' ? 2 : 1;
      end_line();
      continue;
    }
    if (c == '\n') {
      if (state != State::kBlockComment) state = State::kCode;
      end_line();
      continue;
    }
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    switch (state) {
      case State::kCode:
        if (IsBlank(c)) break;
        if (c == '/' && (next == '/' || next == '*')) {
          state = next == '/' ? State::kLineComment : State::kBlockComment;
          comment = true;
          ++i;
          break;
        }
        code = true;
        if (c == '"') state = State::kString;
        if (c == '\'') state = State::kChar;
        break;
      case State::kLineComment:
        comment = true;
        break;
      case State::kBlockComment:
        comment = true;
        if (c == '*' && next == '/') {
          state = State::kCode;
          ++i;
        }
        break;
      case State::kString:
      case State::kChar:
        code = true;
        if (c == '\\' && next != '\n' && next != '\0') {
          ++i;
        } else if (c == (state == State::kString ? '"' : '\'')) {
          state = State::kCode;
        }
        break;
    }
  }
  if (!text.empty() && text.back() != '\n') end_line();
  return kinds;
}

std::string_view TrimLine(std::string_view line) {
  std::size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  std::size_t end = line.size();
  while (end > begin && (IsBlank(line[end - 1]) || line[end - 1] == '\n')) --end;
  return line.substr(begin, end - begin);
}

class Placer {
 public:
  explicit Placer(const SourceText& source)
      : source_(source), lines_(SplitLines(source.bytes())), kinds_(ClassifyLines(source.utf8())) {
    if (source.encoding() == SourceEncoding::kUtf8 && source.bytes().starts_with(kBom)) {
      bom_ = kBom.size();
    }
    starts_.reserve(lines_.size());
    std::uint32_t offset = 0;
    for (std::string_view line : lines_) {
      starts_.push_back(offset);
      offset += static_cast<std::uint32_t>(line.size());
    }
  }

  // The line of a declaration's first character, and whether nothing but blanks stands before
  // it there.
  std::pair<std::uint32_t, bool> LineOf(std::uint32_t utf8_offset) const {
    const std::uint32_t offset = source_.FileOffset(utf8_offset);
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    const auto line = static_cast<std::uint32_t>(after - starts_.begin() - 1);
    const std::string_view before =
        Text(line).substr(0, std::max(offset - starts_[line], Bom(line)) - Bom(line));
    return {line, std::all_of(before.begin(), before.end(),
                              [](char c) { return c == ' ' || c == '\t'; })};
  }

  LineEdit Edit(std::uint32_t line, std::string_view block) const {
    const std::string_view indent = Text(line).substr(0, Text(line).find_first_not_of(" \t"));
    LineEdit edit;
    edit.first = line;
    const auto [first, last] = OldBlock(line);
    if (first <= last) {
      edit.first = first;
      edit.removed = last - first + 1;
    }
    for (std::size_t begin = 0; begin < block.size();) {
      std::size_t end = block.find('\n', begin);
      if (end == std::string_view::npos) end = block.size();
      std::string text(indent);
      text.append(block.substr(begin, end - begin));
      text.append(source_.LineEnd());
      edit.added.push_back(std::move(text));
      begin = end + 1;
    }
    if (edit.first == 0 && bom_ > 0) {
      edit.added.front().insert(0, kBom);
      if (edit.removed == 0) {  // the first line gives its mark to the block
        edit.removed = 1;
        edit.added.emplace_back(Text(0));
      }
    }
    return edit;
  }

  bool Changes(const LineEdit& edit) const {
    if (edit.removed != edit.added.size()) return true;
    for (std::size_t i = 0; i < edit.added.size(); ++i) {
      if (lines_[edit.first + i] != edit.added[i]) return true;
    }
    return false;
  }

 private:
  std::uint32_t Bom(std::uint32_t line) const { return line == 0 ? bom_ : 0; }
  // The line without the byte order mark.
  std::string_view Text(std::uint32_t line) const { return lines_[line].substr(Bom(line)); }

  bool IsSlashLine(std::uint32_t line) const {
    return kinds_[line] == LineKind::kComment && TrimLine(Text(line)).starts_with("//");
  }
  bool IsRule(std::uint32_t line) const {
    return kinds_[line] == LineKind::kComment && TrimLine(Text(line)) == kRuleLine;
  }

  // The first and last line of the block that an earlier run left above the declaration on
  // line; first > last when there is none.
  std::pair<std::uint32_t, std::uint32_t> OldBlock(std::uint32_t line) const {
    std::uint32_t top = line;  // the comments directly above: lines [top, line)
    while (top > 0 && kinds_[top - 1] == LineKind::kComment) --top;
    for (std::uint32_t close = line; close-- > top;) {
      if (!IsRule(close)) continue;
      std::uint32_t open = close;
      while (open-- > top && IsSlashLine(open)) {
        if (IsRule(open)) return {open, close};
      }
    }
    return {1, 0};
  }

  const SourceText& source_;
  std::vector<std::string_view> lines_;
  std::vector<std::uint32_t> starts_;
  std::vector<LineKind> kinds_;
  std::uint32_t bom_ = 0;
};

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  for (std::size_t begin = 0; begin < bytes.size();) {
    const std::size_t end = bytes.find('\n', begin);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    lines.push_back(bytes.substr(begin, next - begin));
    begin = next;
  }
  return lines;
}

std::optional<std::string> BlockInEncoding(std::string_view sjis_block, SourceEncoding encoding) {
  std::string block;
  block.reserve(sjis_block.size());
  for (std::size_t i = 0; i < sjis_block.size(); ++i) {
    if (sjis_block[i] != '\r') {
      block += sjis_block[i];
    } else if (i + 1 == sjis_block.size() || sjis_block[i + 1] != '\n') {
      block += '\n';
    }
  }
  std::string utf8 = text::SjisToUtf8(block);
  // Bytes that aren't Shift-JIS decode to U+F780..U+F7FF (UTF-8 EF 9E 80 to EF 9F BF).
  for (std::size_t at = utf8.find('\xEF'); at != std::string::npos;
       at = utf8.find('\xEF', at + 1)) {
    if (at + 1 < utf8.size() && (utf8[at + 1] == '\x9E' || utf8[at + 1] == '\x9F')) {
      return std::nullopt;
    }
  }
  if (encoding == SourceEncoding::kUtf8) return utf8;
  return block;
}

BlockPlan PlanBlocks(const SourceText& source, const std::vector<BlockRequest>& requests) {
  BlockPlan plan;
  if (source.bytes().empty()) {
    for (std::size_t i = 0; i < requests.size(); ++i) plan.skipped.emplace_back(i, "empty file");
    return plan;
  }
  const Placer placer(source);
  std::vector<std::pair<std::uint32_t, bool>> lines;
  std::map<std::uint32_t, std::size_t> count;  // declarations on each line
  for (const BlockRequest& request : requests) {
    lines.push_back(placer.LineOf(request.begin_offset));
    ++count[lines.back().first];
  }
  std::map<std::uint32_t, std::size_t> placed;  // the request placed at each line
  for (std::size_t i = 0; i < requests.size(); ++i) {
    const auto [line, begins] = lines[i];
    if (count[line] > 1) {
      plan.skipped.emplace_back(i, "another declaration shares its line");
    } else if (!begins) {
      plan.skipped.emplace_back(i, "it doesn't begin its line");
    } else {
      placed.emplace(line, i);
    }
  }
  for (const auto& [line, request] : placed) {
    LineEdit edit = placer.Edit(line, requests[request].block);
    if (placer.Changes(edit)) plan.edits.push_back(std::move(edit));
  }
  return plan;
}

std::string ApplyEdits(const std::vector<std::string_view>& lines,
                       const std::vector<LineEdit>& edits) {
  std::string out;
  std::size_t size = 0;
  for (std::string_view line : lines) size += line.size();
  out.reserve(size + size / 4);
  std::uint32_t next = 0;
  for (const LineEdit& edit : edits) {
    for (; next < edit.first; ++next) out.append(lines[next]);
    for (const std::string& line : edit.added) out.append(line);
    next = edit.first + edit.removed;
  }
  for (; next < lines.size(); ++next) out.append(lines[next]);
  return out;
}

}  // namespace quillmap::ingest
