#include "core/edit/document_edits.h"

#include <type_traits>
#include <utility>

#include "core/edit/copy_name.h"
#include "core/parse/add_function.h"
#include "core/parse/prototype_parser.h"

namespace quillmap::edit {

namespace {

using Change = EditStep::Change;

Result Refused(Status status) {
  Result result;
  result.status = status;
  return result;
}

// A store of the texts the record has: it keeps its bytes, and there is no step.
Result Unchanged(std::int32_t index) {
  Result result = Refused(Status::kUnchanged);
  result.index = index;
  return result;
}

Result Done(Change change, RecordKind kind, std::int32_t index, DetachedRecord held,
            std::string name) {
  Result result;
  result.status = Status::kDone;
  result.step = EditStep(change, kind, index, std::move(held), std::move(name));
  result.index = index;
  return result;
}

std::int32_t Count(const SpecStore& store, RecordKind kind) {
  return static_cast<std::int32_t>(kind == RecordKind::kFunction ? store.GetFunctionCount()
                                                                 : store.GetStructCount());
}

std::int32_t Find(const SpecStore& store, RecordKind kind, std::string_view name) {
  return kind == RecordKind::kFunction ? store.FindFunction(name) : store.FindStruct(name);
}

// kDone when name may be given to a record of the list.
Status CheckName(const SpecStore& store, RecordKind kind, std::string_view name) {
  if (IsBlankName(name)) return Status::kNoName;
  if (Find(store, kind, name) >= 0) return Status::kNameTaken;
  return Status::kDone;
}

Result Append(SpecStore& store, RecordKind kind, const SpecRecord& record) {
  std::string name = record.GetRecordName();
  const Status check = CheckName(store, kind, name);
  if (check != Status::kDone) return Refused(check);
  const std::int32_t index = Count(store, kind);
  DetachedRecord added{StoredTree::FromTree(record), nullptr};
  if (!store.InsertRecord(kind, index, added)) return Refused(Status::kFull);
  return Done(Change::kInsert, kind, index, DetachedRecord(), std::move(name));
}

Result Replace(SpecStore& store, RecordKind kind, std::int32_t index, const SpecRecord& record) {
  DetachedRecord held{StoredTree::FromTree(record), nullptr};
  if (!store.SwapRecord(kind, index, held)) return Refused(Status::kNotFound);
  return Done(Change::kReplace, kind, index, std::move(held), record.GetRecordName());
}

template <typename Record>
bool Get(const SpecStore& store, std::int32_t index, Record& out) {
  if constexpr (std::is_same_v<Record, FunctionSpec>) {
    return store.GetFunction(index, out);
  } else {
    return store.GetStruct(index, out);
  }
}

template <typename Record>
Result Copy(SpecStore& store, RecordKind kind, std::int32_t index) {
  Record copy;
  if (!Get(store, index, copy)) return Refused(Status::kNotFound);
  const std::string name = NumberedCopyName(
      copy.GetRecordName(), [&](std::string_view n) { return Find(store, kind, n) >= 0; });
  if (name.empty()) return Refused(Status::kFull);
  copy.SetRecordName(name);
  return Append(store, kind, copy);
}

template <typename Record>
Result Rename(SpecStore& store, RecordKind kind, std::int32_t index, std::string_view new_name) {
  // The name is checked first, as the editor's label editing checks it before it looks for
  // the record.
  const Status check = CheckName(store, kind, new_name);
  if (check != Status::kDone) return Refused(check);
  Record record;
  if (!Get(store, index, record)) return Refused(Status::kNotFound);
  if (!record.SetRecordName(new_name)) return Refused(Status::kNotFound);
  return Replace(store, kind, index, record);
}

Result Delete(SpecStore& store, RecordKind kind, std::int32_t index) {
  const std::string name =
      kind == RecordKind::kFunction ? store.GetFunctionName(index) : store.GetStructName(index);
  DetachedRecord removed;
  if (!store.TakeRecord(kind, index, removed)) return Refused(Status::kNotFound);
  return Done(Change::kRemove, kind, index, std::move(removed), name);
}

// Reads the fields of the function at index, lets change edit them, and stores the result.
template <typename Edit>
Result EditFields(SpecStore& store, std::int32_t index, Edit change) {
  FunctionSpec record;
  if (!store.GetFunction(index, record)) return Refused(Status::kNotFound);
  FunctionFields fields = ReadFunctionFields(record);
  const Status status = change(fields);
  if (status != Status::kDone) return Refused(status);
  return StoreFunction(store, index, fields);
}

}  // namespace

bool IsBlankName(std::string_view name) {
  return name.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

Result AddFunction(SpecStore& store, const FunctionSpec& record) {
  return Append(store, RecordKind::kFunction, record);
}

Result AddFunctionFromPrototype(SpecStore& store, std::string_view prototype, std::time_t date,
                                std::string_view comment) {
  PrototypeParser parser;
  if (!parser.Parse(std::string(prototype))) return Refused(Status::kNoName);
  FunctionParts parts;
  parser.GetName(parts.name);
  parser.GetReturnType(parts.return_type);
  const int argument_count = parser.GetArgCount();
  for (int i = 0; i < argument_count; ++i) {
    auto& [type, name] = parts.arguments.emplace_back();
    parser.GetArg(i, type, name);
  }
  // Checked before the record is built: a taken name is refused whatever else the text holds.
  const Status check = CheckName(store, RecordKind::kFunction, parts.name);
  if (check != Status::kDone) return Refused(check);
  FunctionSpec record;
  BuildNewFunction(parts, date, comment, record);
  return AddFunction(store, record);
}

Result CopyFunction(SpecStore& store, std::int32_t index) {
  return Copy<FunctionSpec>(store, RecordKind::kFunction, index);
}

Result RenameFunction(SpecStore& store, std::int32_t index, std::string_view new_name) {
  return Rename<FunctionSpec>(store, RecordKind::kFunction, index, new_name);
}

Result DeleteFunction(SpecStore& store, std::int32_t index) {
  return Delete(store, RecordKind::kFunction, index);
}

Result StoreFunction(SpecStore& store, std::int32_t index, const FunctionFields& fields) {
  FunctionSpec old;
  if (!store.GetFunction(index, old)) return Refused(Status::kNotFound);
  const FunctionFields stored = ReadFunctionFields(old);
  if (stored.name != fields.name) return Refused(Status::kNotFound);
  if (stored == fields) return Unchanged(index);
  FunctionSpec record;
  RebuildFunction(record, fields);
  return Replace(store, RecordKind::kFunction, index, record);
}

Result AddArgument(SpecStore& store, std::int32_t index) {
  return EditFields(store, index, [](FunctionFields& fields) {
    fields.arguments.push_back(NewArgument(fields.arguments.size()));
    return Status::kDone;
  });
}

Result CopyArgument(SpecStore& store, std::int32_t index, std::size_t row) {
  return EditFields(store, index, [row](FunctionFields& fields) {
    if (row >= fields.arguments.size()) return Status::kNotFound;
    const ArgumentTexts copy = fields.arguments[row];
    fields.arguments.push_back(copy);
    return Status::kDone;
  });
}

Result DeleteArgument(SpecStore& store, std::int32_t index, std::size_t row) {
  return EditFields(store, index, [row](FunctionFields& fields) {
    if (row >= fields.arguments.size()) return Status::kNotFound;
    fields.arguments.erase(fields.arguments.begin() + static_cast<std::ptrdiff_t>(row));
    return Status::kDone;
  });
}

Result EditArgument(SpecStore& store, std::int32_t index, std::size_t row,
                    const ArgumentTexts& texts) {
  return EditFields(store, index, [row, &texts](FunctionFields& fields) {
    if (row >= fields.arguments.size()) return Status::kNotFound;
    if (texts.name.empty()) return Status::kNoName;
    fields.arguments[row] = texts;
    return Status::kDone;
  });
}

Result SetRelated(SpecStore& store, std::int32_t index, const std::vector<std::string>& links) {
  return EditFields(store, index, [&links](FunctionFields& fields) {
    fields.links = links;
    return Status::kDone;
  });
}

Result SetHistory(SpecStore& store, std::int32_t index, const std::vector<HistoryEntry>& history) {
  return EditFields(store, index, [&history](FunctionFields& fields) {
    std::vector<std::string> dates;
    dates.reserve(history.size());
    for (const HistoryEntry& entry : history) dates.push_back(FormatHistoryDate(entry.date));
    fields.history.clear();
    for (const std::size_t i : NewestFirstOrder(dates)) fields.history.push_back(history[i]);
    return Status::kDone;
  });
}

Result AddStruct(SpecStore& store, const StructSpec& record) {
  return Append(store, RecordKind::kStruct, record);
}

Result CopyStruct(SpecStore& store, std::int32_t index) {
  return Copy<StructSpec>(store, RecordKind::kStruct, index);
}

Result RenameStruct(SpecStore& store, std::int32_t index, std::string_view new_name) {
  return Rename<StructSpec>(store, RecordKind::kStruct, index, new_name);
}

Result DeleteStruct(SpecStore& store, std::int32_t index) {
  return Delete(store, RecordKind::kStruct, index);
}

Result StoreStruct(SpecStore& store, std::int32_t index, const StructFields& fields) {
  StructSpec old;
  if (!store.GetStruct(index, old)) return Refused(Status::kNotFound);
  if (IsBlankName(fields.name)) return Refused(Status::kNoName);
  const std::int32_t found = store.FindStruct(fields.name);
  if (found >= 0 && found != index) return Refused(Status::kNameTaken);
  if (ReadStructFields(old) == fields) return Unchanged(index);
  StructSpec record;
  RebuildStruct(record, fields);
  return Replace(store, RecordKind::kStruct, index, record);
}

Result SetDocInfo(SpecStore& store, std::string_view title, std::string_view copyright) {
  const auto same = [&] {
    return store.GetDocInfo(kDocInfoTitle) == title &&
           store.GetDocInfo(kDocInfoCopyright) == copyright;
  };
  if (same()) return Refused(Status::kUnchanged);
  // The information as it is now goes into the step; the store works on a copy of it.
  DetachedRecord old;
  store.SwapInfo(old);
  DetachedRecord copy{old.tree.Clone(), old.source};
  store.SwapInfo(copy);
  const std::string before_title = store.GetDocInfo(kDocInfoTitle);
  const std::string before_copyright = store.GetDocInfo(kDocInfoCopyright);
  store.SetDocInfo(kDocInfoTitle, title);
  store.SetDocInfo(kDocInfoCopyright, copyright);
  if (store.GetDocInfo(kDocInfoTitle) == before_title &&
      store.GetDocInfo(kDocInfoCopyright) == before_copyright) {
    // Neither text could be set (their nodes are missing): the bytes go back as they were.
    store.SwapInfo(old);
    return Refused(Status::kUnchanged);
  }
  return Done(Change::kInfo, RecordKind::kFunction, -1, std::move(old), std::string());
}

}  // namespace quillmap::edit
