#pragma once
// The description of one function as a C comment block, ready to be pasted above the
// function's definition. All texts are Shift-JIS; column widths count bytes.

#include <functional>
#include <string>
#include <string_view>

#include "core/output/profile.h"

namespace quillmap {

class FunctionSpec;
class TreeVisitor;

// Walks a function record with the visitor given (PropertyTree::Visit, StoredTree::Read).
using RecordReader = std::function<void(TreeVisitor&)>;
// Takes the next piece of a block; the piece is valid during the call only.
using ClipboardSink = std::function<void(std::string_view)>;

// Hands the comment block of the record to sink piece by piece, without copying the record or
// holding the block: for records of any size. The record is walked twice when it has arguments
// to show (their column widths come first).
void WriteClipboardSpecText(const RecordReader& read_record, ClipboardSpecSettings flags,
                            const ClipboardSink& sink);

// Replaces out with the comment block of the record; flags choose the sections (clip_flag).
// Always true.
bool ClipboardSpecText(std::string& out, const FunctionSpec& record, ClipboardSpecSettings flags);

// Puts prefix at the start of text and after every line feed, the last one included. A carriage
// return before a line feed stays where it is.
void PrefixLines(std::string& text, std::string_view prefix);

}  // namespace quillmap
