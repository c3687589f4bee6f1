// DocumentInfo: title and copyright of a document, each the value of a top-level key.
#include "core/model/document_info.h"

namespace quillmap {

namespace {

constexpr std::string_view kTitleKey = "title";
constexpr std::string_view kCopyrightKey = "copyright";

}  // namespace

std::string_view DocumentInfo::Key(int kind) {
  switch (kind) {
    case kDocInfoTitle:
      return kTitleKey;
    case kDocInfoCopyright:
      return kCopyrightKey;
    default:
      return {};
  }
}

DocumentInfo::DocumentInfo() {
  AddChild(AddChild(nullptr, kTitleKey), "title");
  AddChild(AddChild(nullptr, kCopyrightKey), "Copyright");
}

DocumentInfo::~DocumentInfo() {
  Clear();
}

std::string DocumentInfo::GetDocInfo(int kind) const {
  std::string_view key = Key(kind);
  return key.empty() ? std::string() : GetValue(key);
}

bool DocumentInfo::SetDocInfo(int kind, std::string_view text) {
  std::string_view key = Key(kind);
  return !key.empty() && SetValue(key, text);
}

}  // namespace quillmap
