#include "ui/widgets/file_path.h"

std::string FilePathBytes(const wxString& path) {
  const wxCharBuffer buffer = path.fn_str();
  return buffer.data() != nullptr ? std::string(buffer.data()) : std::string();
}
