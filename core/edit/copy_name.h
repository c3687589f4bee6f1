#pragma once
// The name of a copied record: the original name followed by the smallest number from 1 that
// gives a name no record of the list has ("%s%d"). Copying Calc gives Calc1, or Calc3 when Calc1
// and Calc2 exist; copying Calc1 gives Calc11. Names are Shift-JIS bytes; the number is appended
// byte-wise, like sprintf's "%s%d".

#include <functional>
#include <string>
#include <string_view>

namespace quillmap {

// taken tells whether a record of that name exists. Empty only when every number up to INT_MAX
// is taken, which a real list can't reach.
std::string NumberedCopyName(std::string_view base,
                             const std::function<bool(std::string_view)>& taken);

}  // namespace quillmap
