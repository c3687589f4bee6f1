#include "ingest/code_model.h"

namespace quillmap::ingest {

std::string FormatFinding(const Finding& finding, std::string_view kind) {
  std::string text = finding.file + ":" + std::to_string(finding.line) + ": ";
  if (!kind.empty()) text.append(kind).append(": ");
  return text + finding.message;
}

}  // namespace quillmap::ingest
