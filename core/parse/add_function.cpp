#include "core/parse/add_function.h"

#include <string>

#include "core/edit/new_records.h"
#include "core/model/spec_record.h"
#include "core/model/spec_store.h"
#include "core/parse/prototype_parser.h"

namespace quillmap {

void BuildNewFunction(const FunctionParts& parts, std::time_t date, std::string_view comment,
                      FunctionSpec& record) {
  // The record the editor's form holds after the add command, rebuilt in default key order.
  record.InitDefaults();
  record.SetRecordName(parts.name);
  if (!parts.return_type.empty()) {
    record.SetIndex(FunctionHeading(parts.name));
    record.SetReturnType(parts.return_type);
    record.SetReturnText(TypeDescription(parts.return_type));
  }
  for (const auto& [type, name] : parts.arguments) {
    record.AddArgument(type, name, TypeDescription(type));
  }
  record.AddHistory(date, comment);
}

AddFunctionResult AppendNewFunction(SpecStore& store, const FunctionSpec& record,
                                    std::int32_t* index) {
  const std::string name = record.GetRecordName();
  if (store.FindFunction(name) >= 0) return AddFunctionResult::kNameTaken;
  if (store.AddFunction(name) == ItemList::kAppendFailed) return AddFunctionResult::kFailed;
  const std::int32_t new_index = static_cast<std::int32_t>(store.GetFunctionCount()) - 1;
  if (!store.PutFunction(new_index, record)) {
    store.RemoveFunction(new_index);
    return AddFunctionResult::kFailed;
  }
  if (index != nullptr) *index = new_index;
  return AddFunctionResult::kAdded;
}

AddFunctionResult AddFunctionFromPrototype(SpecStore& store, std::string_view prototype,
                                           std::time_t date, std::string_view comment,
                                           std::int32_t* index) {
  if (prototype.empty()) return AddFunctionResult::kEmptyText;
  PrototypeParser parser;
  parser.Parse(std::string(prototype));
  FunctionParts parts;
  parser.GetName(parts.name);
  parser.GetReturnType(parts.return_type);
  const int argument_count = parser.GetArgCount();
  for (int i = 0; i < argument_count; ++i) {
    auto& [type, name] = parts.arguments.emplace_back();
    parser.GetArg(i, type, name);
  }
  FunctionSpec record;
  BuildNewFunction(parts, date, comment, record);
  return AppendNewFunction(store, record, index);
}

}  // namespace quillmap
