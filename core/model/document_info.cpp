// DocumentInfo: title and copyright of a document, each the value of a top-level key.
#include "core/model/document_info.h"

namespace quillmap {

namespace {

constexpr std::string_view kTitleKey = "title";
constexpr std::string_view kCopyrightKey = "copyright";

std::string_view KeyOf(int kind) {
  switch (kind) {
    case kDocInfoTitle:
      return kTitleKey;
    case kDocInfoCopyright:
      return kCopyrightKey;
    default:
      return {};
  }
}

}  // namespace

DocumentInfo::DocumentInfo() {
  AddChild(AddChild(nullptr, kTitleKey), "title");
  AddChild(AddChild(nullptr, kCopyrightKey), "Copyright");
}

DocumentInfo::~DocumentInfo() {
  Clear();
}

std::string DocumentInfo::GetDocInfo(int kind) const {
  std::string_view key = KeyOf(kind);
  return key.empty() ? std::string() : GetValue(key);
}

bool DocumentInfo::SetDocInfo(int kind, std::string_view text) {
  std::string_view key = KeyOf(kind);
  return !key.empty() && SetValue(key, text);
}

}  // namespace quillmap
