#include "core/edit/new_records.h"

namespace quillmap {

std::string TypeDescription(std::string_view type) {
  std::string text = "'";
  text += type;
  text += "' type";
  return text;
}

std::string FunctionHeading(std::string_view name) {
  std::string text = "function '";
  text += name;
  text += "'";
  return text;
}

ArgumentTexts NewArgument(std::size_t row_count) {
  return ArgumentTexts{"argv" + std::to_string(row_count), "value ", "comment"};
}

}  // namespace quillmap
