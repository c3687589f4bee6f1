#include "core/edit/copy_name.h"

#include <climits>

namespace quillmap {

std::string NumberedCopyName(std::string_view base,
                             const std::function<bool(std::string_view)>& taken) {
  std::string name;
  for (int n = 1; n < INT_MAX; ++n) {
    name.assign(base);
    name += std::to_string(n);
    if (!taken(name)) return name;
  }
  return std::string();
}

}  // namespace quillmap
