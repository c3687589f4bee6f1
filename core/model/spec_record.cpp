// SpecRecord and FunctionSpec: fixed top-level keys whose first child holds each value.
#include "core/model/spec_record.h"

namespace quillmap {

namespace {

constexpr std::string_view kAttributeWords[kFuncAttributeCount] = {"public", "static", "protected",
                                                                   "private", "inline"};

}  // namespace

std::string_view FuncAttributeWord(int code) {
  return code >= 0 && code < kFuncAttributeCount ? kAttributeWords[code] : std::string_view();
}

SpecRecord::~SpecRecord() {
  Clear();
}

void SpecRecord::InitDefaults() {
  Clear();
  AddChild(AddChild(nullptr, key::kName), "default");
  AddChild(AddChild(nullptr, key::kIndex), "index");
  AddChild(AddChild(nullptr, key::kExplanation), "");
  AddChild(AddChild(nullptr, key::kNote), "");
  AddChild(nullptr, key::kLink);
  AddChild(nullptr, key::kHistory);
}

std::string SpecRecord::GetRecordName() const {
  return GetValue(key::kName);
}
bool SpecRecord::SetRecordName(std::string_view name) {
  return SetValue(key::kName, name);
}
std::string SpecRecord::GetIndex() const {
  return GetValue(key::kIndex);
}
bool SpecRecord::SetIndex(std::string_view heading) {
  return SetValue(key::kIndex, heading);
}
std::string SpecRecord::GetExplanation() const {
  return GetValue(key::kExplanation);
}
bool SpecRecord::SetExplanation(std::string_view text) {
  return SetValue(key::kExplanation, text);
}
std::string SpecRecord::GetNote() const {
  return GetValue(key::kNote);
}
bool SpecRecord::SetNote(std::string_view text) {
  return SetValue(key::kNote, text);
}

bool SpecRecord::AddLink(std::string_view name) {
  PropertyNode* link = FindTop(key::kLink);
  return link != nullptr && AddChild(link, name) != nullptr;
}

std::string SpecRecord::GetLink(std::uint32_t index) const {
  PropertyNode* link = FindTop(key::kLink);
  return link ? ChildName(link, index) : std::string();
}

std::uint32_t SpecRecord::GetLinkCount() const {
  return TopChildCount(key::kLink);
}

bool SpecRecord::AddHistory(std::time_t date, std::string_view comment) {
  PropertyNode* history = FindTop(key::kHistory);
  if (history == nullptr) return false;
  PropertyNode* entry = AddChild(history, key::kHistoryEntry);
  if (entry == nullptr) return false;
  return AddChild(entry, FormatHistoryDate(date)) != nullptr && AddChild(entry, comment) != nullptr;
}

bool SpecRecord::GetHistory(std::uint32_t index, std::time_t& date, std::string& comment) const {
  PropertyNode* entry = FirstChild(FindTop(key::kHistory));
  for (std::uint32_t i = 0; entry && i < index; ++i) entry = NextSibling(entry);
  PropertyNode* date_node = FirstChild(entry);
  std::string date_text;
  if (!GetName(date_node, date_text)) return false;
  date = ParseHistoryDate(date_text);
  return GetName(NextSibling(date_node), comment);
}

bool SpecRecord::GetHistory(std::uint32_t index, HistoryEntry& entry) const {
  return GetHistory(index, entry.date, entry.comment);
}

std::uint32_t SpecRecord::GetHistoryCount() const {
  return TopChildCount(key::kHistory);
}

bool SpecRecord::GetTriple(std::string_view list_key, std::uint32_t index, std::string& first,
                           std::string& second, std::string& third) const {
  PropertyNode* item = FirstChild(FindTop(list_key));
  for (std::uint32_t i = 0; item && i < index; ++i) item = NextSibling(item);
  PropertyNode* value = FirstChild(item);
  if (value == nullptr) return false;
  GetName(value, first);
  value = NextSibling(value);
  GetName(value, second);
  GetName(NextSibling(value), third);
  return true;
}

bool SpecRecord::AddTriple(std::string_view list_key, std::string_view child_name,
                           std::string_view first, std::string_view second,
                           std::string_view third) {
  PropertyNode* list = FindTop(list_key);
  if (list == nullptr) return false;
  PropertyNode* item = AddChild(list, child_name);
  return item != nullptr && AddChild(item, first) != nullptr && AddChild(item, second) != nullptr &&
         AddChild(item, third) != nullptr;
}

std::uint32_t SpecRecord::TopChildCount(std::string_view key) const {
  return ChildCount(FindTop(key));  // 0 for a missing key
}

FunctionSpec::FunctionSpec() {
  FunctionSpec::InitDefaults();
}

FunctionSpec::~FunctionSpec() {
  Clear();
}

void FunctionSpec::InitDefaults() {
  SpecRecord::InitDefaults();
  if (FindTop(key::kFuncAttr) == nullptr) {
    AddChild(AddChild(nullptr, key::kFuncAttr), kAttributeWords[kAttrPublic]);
  }
  if (FindTop(key::kArgvList) == nullptr) AddChild(nullptr, key::kArgvList);
  if (FindTop(key::kReturn) == nullptr) {
    PropertyNode* return_node = AddChild(nullptr, key::kReturn);
    AddChild(return_node, "void");
    AddChild(return_node, "");
  }
}

bool FunctionSpec::SetAttribute(int code) {
  std::string_view word = FuncAttributeWord(code);
  return !word.empty() && SetValue(key::kFuncAttr, word);
}

int FuncAttributeCode(std::string_view word) {
  for (int code = 0; code < kFuncAttributeCount; ++code) {
    if (word == kAttributeWords[code]) return code;
  }
  return kAttrPublic;
}

int FunctionSpec::GetAttribute() const {
  return FuncAttributeCode(GetValue(key::kFuncAttr));
}

bool FunctionSpec::AddArgument(std::string_view type, std::string_view name,
                               std::string_view description) {
  return AddTriple(key::kArgvList, key::kArgv, type, name, description);
}

bool FunctionSpec::GetArgument(std::uint32_t index, std::string& type, std::string& name,
                               std::string& description) const {
  return GetTriple(key::kArgvList, index, type, name, description);
}

std::uint32_t FunctionSpec::GetArgumentCount() const {
  return TopChildCount(key::kArgvList);
}

std::string FunctionSpec::GetReturnType() const {
  return GetValue(key::kReturn);
}

bool FunctionSpec::SetReturnType(std::string_view type) {
  return SetValue(key::kReturn, type);
}

std::string FunctionSpec::GetReturnText() const {
  return ChildName(FindTop(key::kReturn), 1);
}

bool FunctionSpec::SetReturnText(std::string_view text) {
  return SetName(NextSibling(FirstChild(FindTop(key::kReturn))), text);
}

}  // namespace quillmap
