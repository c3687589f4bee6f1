#pragma once
// Writes a document's HTML page to a file the way documents are saved: into a temporary file
// beside the target that replaces it only once every byte is on the disk, so a failed export
// leaves an existing page as it was and never leaves half a page behind.

#include <array>
#include <string>

#include "core/model/spec_record.h"

namespace quillmap {

class SpecStore;

// One flag per attribute slot (0 public, 1 static, 2 protected, 3 private, 4 inline); a slot
// whose flag is 0 leaves its functions out of the page.
using AttributeFlags = std::array<int, kFuncAttributeCount>;

// Writes the page of store to path with HtmlExporter. Raises FileError, naming path, when the
// page can't be written; the file at path is then as it was.
void ExportHtmlFile(const SpecStore& store, const AttributeFlags& flags, const std::string& path);

}  // namespace quillmap
