#include "ingest/doc_comment.h"

#include <algorithm>

namespace quillmap::ingest {

namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";

std::string_view TrimLeft(std::string_view text) {
  const std::size_t start = text.find_first_not_of(kBlanks);
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view TrimRight(std::string_view text) {
  const std::size_t end = text.find_last_not_of(kBlanks);
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view Trim(std::string_view text) {
  return TrimRight(TrimLeft(text));
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (;;) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Removes one comment's marks and appends its lines.
void AppendCommentLines(std::string_view raw, std::vector<std::string>& lines) {
  if (raw.starts_with("//")) {
    raw.remove_prefix(2);
    if (!raw.empty() && (raw[0] == '/' || raw[0] == '!')) raw.remove_prefix(1);
    if (!raw.empty() && raw[0] == '<') raw.remove_prefix(1);
    if (!raw.empty() && raw[0] == ' ') raw.remove_prefix(1);
    lines.emplace_back(TrimRight(raw));
    return;
  }
  raw.remove_prefix(std::min<std::size_t>(2, raw.size()));
  if (raw.ends_with("*/")) raw.remove_suffix(2);
  if (!raw.empty() && (raw[0] == '*' || raw[0] == '!')) raw.remove_prefix(1);
  if (!raw.empty() && raw[0] == '<') raw.remove_prefix(1);
  bool first = true;
  for (std::string_view line : SplitLines(raw)) {
    line = TrimRight(line);
    if (!first) {
      // " * text": the star column and one blank after it go.
      line = TrimLeft(line);
      if (!line.empty() && line[0] == '*') {
        line.remove_prefix(1);
        if (!line.empty() && line[0] == ' ') line.remove_prefix(1);
      }
    } else if (!line.empty() && line[0] == ' ') {
      line.remove_prefix(1);
    }
    // A line of nothing but stars is decoration.
    if (line.find_first_not_of('*') == std::string_view::npos) line = {};
    lines.emplace_back(line);
    first = false;
  }
}

bool IsAscii(unsigned char c) {
  return c < 0x80;
}

void AppendJoined(std::string_view line, std::string& out) {
  line = Trim(line);
  if (line.empty()) return;
  if (!out.empty() && (IsAscii(static_cast<unsigned char>(out.back())) ||
                       IsAscii(static_cast<unsigned char>(line.front())))) {
    out += ' ';
  }
  out += line;
}

// Where the first sentence of the paragraph ends: the offset of its full stop and the stop's
// length, or npos when the paragraph has none.
std::pair<std::size_t, std::size_t> SentenceEnd(std::string_view paragraph) {
  constexpr std::string_view kIdeographicStop = "。";
  for (std::size_t i = 0; i < paragraph.size(); ++i) {
    if (paragraph.substr(i, kIdeographicStop.size()) == kIdeographicStop) {
      return {i, kIdeographicStop.size()};
    }
    if (paragraph[i] == '.' &&
        (i + 1 == paragraph.size() || kBlanks.find(paragraph[i + 1]) != std::string_view::npos ||
         paragraph[i + 1] == '\n')) {
      return {i, 1};
    }
  }
  return {std::string_view::npos, 0};
}

std::string TrimLines(std::string_view text) {
  std::vector<std::string_view> lines = SplitLines(text);
  while (!lines.empty() && Trim(lines.front()).empty()) lines.erase(lines.begin());
  while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += '\n';
    out += i == 0 ? Trim(lines[i]) : TrimRight(lines[i]);
  }
  return out;
}

}  // namespace

CommentKind ClassifyComment(std::string_view raw) {
  CommentKind kind;
  kind.line = raw.starts_with("//");
  if (kind.line) {
    kind.doc = (raw.starts_with("///") && !raw.starts_with("////")) || raw.starts_with("//!");
  } else {
    kind.doc = (raw.starts_with("/**") && raw != "/**/" && !raw.starts_with("/***")) ||
               raw.starts_with("/*!");
  }
  kind.trailing = kind.doc && raw.size() > 3 && raw[3] == '<';
  return kind;
}

std::string CommentText(const std::vector<std::string_view>& raw_comments,
                        std::size_t* first_line_skipped) {
  std::vector<std::string> lines;
  for (std::string_view raw : raw_comments) AppendCommentLines(raw, lines);
  std::size_t begin = 0;
  while (begin < lines.size() && Trim(lines[begin]).empty()) ++begin;
  std::size_t end = lines.size();
  while (end > begin && Trim(lines[end - 1]).empty()) --end;
  if (first_line_skipped != nullptr) *first_line_skipped = begin;
  std::string text;
  for (std::size_t i = begin; i < end; ++i) {
    if (i > begin) text += '\n';
    text += lines[i];
  }
  return text;
}

bool IsFileComment(std::string_view text) {
  for (std::string_view command : {"file", "defgroup", "mainpage", "page"}) {
    for (char mark : {'@', '\\'}) {
      std::string word(1, mark);
      word += command;
      const std::size_t at = text.find(word);
      if (at != std::string_view::npos) {
        const std::size_t after = at + word.size();
        if (after == text.size() || kBlanks.find(text[after]) != std::string_view::npos ||
            text[after] == '\n') {
          return true;
        }
      }
    }
  }
  return false;
}

std::string JoinLines(std::string_view text) {
  std::string out;
  for (std::string_view line : SplitLines(text)) AppendJoined(line, out);
  return out;
}

HeadingSplit SplitHeading(std::string_view text) {
  text = TrimLeft(text);
  while (text.starts_with('\n')) text = TrimLeft(text.substr(1));
  bool brief = false;
  for (std::string_view command : {"@brief", "\\brief"}) {
    if (text.starts_with(command) &&
        (text.size() == command.size() ||
         kBlanks.find(text[command.size()]) != std::string_view::npos ||
         text[command.size()] == '\n')) {
      text = TrimLeft(text.substr(command.size()));
      brief = true;
    }
  }
  // The first paragraph ends at the first blank line.
  std::size_t paragraph_end = text.size();
  std::size_t rest_begin = text.size();
  std::size_t line_start = 0;
  for (std::string_view line : SplitLines(text)) {
    if (line_start > 0 && Trim(line).empty()) {
      paragraph_end = line_start;
      rest_begin = line_start;
      break;
    }
    line_start += line.size() + 1;
  }
  const std::string_view paragraph = text.substr(0, paragraph_end);
  HeadingSplit split;
  std::size_t heading_end = paragraph.size();
  if (!brief) {
    const auto [stop, stop_length] = SentenceEnd(paragraph);
    if (stop != std::string_view::npos) {
      heading_end = stop;
      rest_begin = stop + stop_length;
    }
  }
  split.heading = JoinLines(paragraph.substr(0, heading_end));
  // A brief paragraph loses its full stop too, so that every heading reads alike.
  for (std::string_view stop : {".", "。"}) {
    if (brief && split.heading.ends_with(stop))
      split.heading.resize(split.heading.size() - stop.size());
  }
  split.explanation = TrimLines(text.substr(std::min(rest_begin, text.size())));
  return split;
}

}  // namespace quillmap::ingest
