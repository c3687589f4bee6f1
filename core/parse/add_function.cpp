#include "core/parse/add_function.h"

#include <string>

#include "core/edit/new_records.h"
#include "core/model/spec_record.h"
#include "core/model/spec_store.h"
#include "core/parse/prototype_parser.h"

namespace quillmap {

AddFunctionResult AddFunctionFromPrototype(SpecStore& store, std::string_view prototype,
                                           std::time_t date, std::string_view comment,
                                           std::int32_t* index) {
  if (prototype.empty()) return AddFunctionResult::kEmptyText;
  PrototypeParser parser;
  parser.Parse(std::string(prototype));
  std::string name;
  std::string return_type;
  parser.GetName(name);
  parser.GetReturnType(return_type);
  if (store.FindFunction(name) >= 0) return AddFunctionResult::kNameTaken;

  // The record the editor's form holds after the add command, rebuilt in default key order.
  FunctionSpec record;
  record.SetRecordName(name);
  if (!return_type.empty()) {
    record.SetIndex(FunctionHeading(name));
    record.SetReturnType(return_type);
    record.SetReturnText(TypeDescription(return_type));
  }
  const int argument_count = parser.GetArgCount();
  for (int i = 0; i < argument_count; ++i) {
    std::string type;
    std::string argument_name;
    parser.GetArg(i, type, argument_name);
    record.AddArgument(type, argument_name, TypeDescription(type));
  }
  record.AddHistory(date, comment);

  if (store.AddFunction(name) == ItemList::kAppendFailed) return AddFunctionResult::kFailed;
  const std::int32_t new_index = static_cast<std::int32_t>(store.GetFunctionCount()) - 1;
  if (!store.PutFunction(new_index, record)) {
    store.RemoveFunction(new_index);
    return AddFunctionResult::kFailed;
  }
  if (index != nullptr) *index = new_index;
  return AddFunctionResult::kAdded;
}

}  // namespace quillmap
