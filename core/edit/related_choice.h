#pragma once
// The two lists of the related-entries dialog when it opens: every candidate (the item texts of
// the caller's function or structure list) on the left, the entries chosen so far on the right.
// A chosen name takes one candidate of the same bytes out of the left list; a chosen name that no
// candidate has (a function deleted or renamed since) is listed on the right all the same.

#include <string>
#include <vector>

namespace quillmap {

struct RelatedLists {
  std::vector<std::string> candidates;  // left: offered, not chosen
  std::vector<std::string> chosen;      // right
};

// Both lists keep the order they were given in; the dialog's list boxes sort them.
RelatedLists SplitRelated(std::vector<std::string> candidates,
                          const std::vector<std::string>& chosen);

}  // namespace quillmap
