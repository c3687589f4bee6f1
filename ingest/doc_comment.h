#pragma once
// Documentation comments: which comments document a declaration, their text without the comment
// marks, and the split of that text into a heading (its first sentence) and an explanation.

#include <string>
#include <string_view>
#include <vector>

namespace quillmap::ingest {

struct CommentKind {
  bool line = false;      // "//" rather than "/* */"
  bool doc = false;       // "/**", "/*!", "///" or "//!"
  bool trailing = false;  // "/**<", "/*!<", "///<" or "//!<": documents what stands before it
};

CommentKind ClassifyComment(std::string_view raw);

// The text of comments without their marks: "/**", "*/", a leading " * " on each line, "///".
// Each raw comment gives its lines (a line comment one), blank lines at either end are dropped
// and *first_line_skipped (when given) says how many were dropped at the start.
std::string CommentText(const std::vector<std::string_view>& raw_comments,
                        std::size_t* first_line_skipped = nullptr);

// True for a comment about the file or a group rather than the declaration after it
// ("@file", "\file", "@defgroup", "@mainpage").
bool IsFileComment(std::string_view text);

struct HeadingSplit {
  std::string heading;
  std::string explanation;
};

// The heading is the text's first sentence (up to a "." followed by a blank or line end, or a
// "。"), without the full stop; a leading "@brief" or "\brief" makes the whole first paragraph
// the heading. The explanation is the rest, line breaks kept. Lines inside the heading are
// joined with a blank (none between two non-ASCII characters). UTF-8.
HeadingSplit SplitHeading(std::string_view text);

// The lines of a text joined into one line, as the heading joins them.
std::string JoinLines(std::string_view text);

}  // namespace quillmap::ingest
