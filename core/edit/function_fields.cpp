#include "core/edit/function_fields.h"

#include "core/output/record_lists.h"

namespace quillmap {

bool operator==(const FunctionFields& a, const FunctionFields& b) {
  if (a.history.size() != b.history.size()) return false;
  for (std::size_t i = 0; i < a.history.size(); ++i) {
    if (a.history[i].comment != b.history[i].comment ||
        FormatHistoryDate(a.history[i].date) != FormatHistoryDate(b.history[i].date)) {
      return false;
    }
  }
  return a.name == b.name && a.heading == b.heading && a.attribute == b.attribute &&
         a.arguments == b.arguments && a.return_type == b.return_type &&
         a.return_text == b.return_text && a.explanation == b.explanation && a.note == b.note &&
         a.links == b.links;
}

FunctionFields ReadFunctionFields(const FunctionSpec& record) {
  FunctionFields fields;
  fields.name = record.GetRecordName();
  fields.heading = record.GetIndex();
  fields.attribute = record.GetAttribute();
  // All arguments in one walk of the record: one by one would take quadratic time.
  std::vector<ListEntry> arguments;
  RecordKeys(record).ReadEntries(key::kArgvList, arguments);
  fields.arguments.reserve(arguments.size());
  for (const ListEntry& argument : arguments) {
    fields.arguments.push_back({std::string(argument.type), std::string(argument.name),
                                std::string(argument.description)});
  }
  fields.return_type = record.GetReturnType();
  fields.return_text = record.GetReturnText();
  fields.explanation = record.GetExplanation();
  fields.note = record.GetNote();
  const std::uint32_t links = record.GetLinkCount();
  for (std::uint32_t i = 0; i < links; ++i) fields.links.push_back(record.GetLink(i));
  const std::uint32_t entries = record.GetHistoryCount();
  for (std::uint32_t i = 0; i < entries; ++i) {
    HistoryEntry entry;
    // An entry with a date but no comment still yields its date.
    record.GetHistory(i, entry.date, entry.comment);
    fields.history.push_back(std::move(entry));
  }
  return fields;
}

void RebuildFunction(FunctionSpec& record, const FunctionFields& fields) {
  record.InitDefaults();
  record.SetRecordName(fields.name);
  record.SetIndex(fields.heading);
  record.SetAttribute(fields.attribute);
  for (const ArgumentTexts& argument : fields.arguments) {
    record.AddArgument(argument.type, argument.name, argument.description);
  }
  record.SetReturnType(fields.return_type);
  record.SetReturnText(fields.return_text);
  record.SetExplanation(fields.explanation);
  record.SetNote(fields.note);
  for (const std::string& link : fields.links) record.AddLink(link);
  for (const HistoryEntry& entry : fields.history) record.AddHistory(entry.date, entry.comment);
}

}  // namespace quillmap
