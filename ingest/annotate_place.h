#pragma once
// Where a function's comment block goes in a source file: directly above the declaration,
// indented as it is, in place of a block that an earlier run put there. The file changes by
// whole lines only, and nothing else in it changes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ingest/annotate_source.h"

namespace quillmap::ingest {

// The lines [first, first + removed) of a file give way to added (each with its line end).
struct LineEdit {
  std::uint32_t first = 0;  // 0-based line index
  std::uint32_t removed = 0;
  std::vector<std::string> added;
};

// The lines of bytes, each with its line end ("\n" or "\r\n"); the last one has none when the
// bytes don't end with a line feed. Empty bytes have no line.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// The comment block (Shift-JIS, as the clipboard makes it) in the file's encoding, with "\n"
// line ends whatever line ends the document's texts carry (CR LF and lone CR, which compilers
// take as a line end too). nullopt when the block holds bytes that aren't Shift-JIS, which
// neither encoding can hold.
std::optional<std::string> BlockInEncoding(std::string_view sjis_block, SourceEncoding encoding);

struct BlockRequest {
  std::uint32_t begin_offset = 0;  // of the declaration, in the source's UTF-8 text
  std::string block;               // in the file's encoding, "\n" line ends, not indented
};

struct BlockPlan {
  std::vector<LineEdit> edits;  // in file order; only those that change something
  // Requests left undone, by index, each with the reason (UTF-8).
  std::vector<std::pair<std::size_t, std::string>> skipped;
};

// Places every request's block: an earlier block (the run of "//" lines from one rule line to
// the next) ending directly above the declaration, or above other comments that end directly
// above it, is replaced; otherwise the block goes directly above the declaration, below any
// comments there. A declaration that doesn't begin its line, and declarations that begin on
// the same line, are skipped.
BlockPlan PlanBlocks(const SourceText& source, const std::vector<BlockRequest>& requests);

// The bytes with the edits (sorted, not overlapping) made.
std::string ApplyEdits(const std::vector<std::string_view>& lines,
                       const std::vector<LineEdit>& edits);

}  // namespace quillmap::ingest
