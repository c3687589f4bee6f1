#include "core/edit/related_choice.h"

#include <algorithm>

namespace quillmap {

RelatedLists SplitRelated(std::vector<std::string> candidates,
                          const std::vector<std::string>& chosen) {
  RelatedLists lists;
  lists.candidates = std::move(candidates);
  lists.chosen = chosen;
  for (const std::string& name : chosen) {
    auto it = std::find(lists.candidates.begin(), lists.candidates.end(), name);
    if (it != lists.candidates.end()) lists.candidates.erase(it);
  }
  return lists;
}

}  // namespace quillmap
