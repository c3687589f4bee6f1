#pragma once
// The changes of a file as a unified diff ("--- a/FILE", "+++ b/FILE", hunks with three lines
// of context), as `diff -u` prints them.

#include <string>
#include <string_view>
#include <vector>

#include "ingest/annotate_place.h"
#include "ingest/annotate_source.h"

namespace quillmap::ingest {

// lines are the file's lines (SplitLines), edits sorted and not overlapping. The lines are
// printed in UTF-8 (decoded from Shift-JIS for such a file), each with its own line end; a
// last line without one is followed by "\ No newline at end of file". Empty without edits.
std::string UnifiedDiff(std::string_view path, const std::vector<std::string_view>& lines,
                        const std::vector<LineEdit>& edits, SourceEncoding encoding);

}  // namespace quillmap::ingest
