#include "core/parse/add_function.h"

#include <string>

#include "core/edit/document_edits.h"
#include "core/edit/new_records.h"
#include "core/model/spec_record.h"
#include "core/model/spec_store.h"

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

namespace {

AddFunctionResult FromEdit(edit::Result result, std::int32_t* index) {
  switch (result.status) {
    case edit::Status::kDone:
      if (index != nullptr) *index = result.index;
      return AddFunctionResult::kAdded;
    case edit::Status::kNameTaken:
      return AddFunctionResult::kNameTaken;
    case edit::Status::kNoName:
      return AddFunctionResult::kNoName;
    default:
      return AddFunctionResult::kFailed;
  }
}

}  // namespace

AddFunctionResult AppendNewFunction(SpecStore& store, const FunctionSpec& record,
                                    std::int32_t* index) {
  return FromEdit(edit::AddFunction(store, record), index);
}

AddFunctionResult AddFunctionFromPrototype(SpecStore& store, std::string_view prototype,
                                           std::time_t date, std::string_view comment,
                                           std::int32_t* index) {
  if (prototype.empty()) return AddFunctionResult::kEmptyText;
  return FromEdit(edit::AddFunctionFromPrototype(store, prototype, date, comment), index);
}

}  // namespace quillmap
