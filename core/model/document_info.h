#pragma once
// DocumentInfo: the document's title (kind 0, key "title") and copyright (kind 1, key
// "copyright"), the first tree of a .dcm file.

#include <string>
#include <string_view>

#include "core/model/property_tree.h"

namespace quillmap {

enum DocInfoKind : int { kDocInfoTitle = 0, kDocInfoCopyright = 1 };

class DocumentInfo : public PropertyTree {
 public:
  DocumentInfo();  // "title"/"title" and "copyright"/"Copyright"
  ~DocumentInfo() override;

  // The top-level key of a kind ("title", "copyright"); empty for another kind.
  static std::string_view Key(int kind);

  std::string GetDocInfo(int kind) const;
  // Renames the kind's value; never creates nodes. False for another kind or a missing node.
  bool SetDocInfo(int kind, std::string_view text);
};

}  // namespace quillmap
