#pragma once
// SpecRecord, the common base of function and structure records, and FunctionSpec. Every value
// is the name of the first child of a fixed top-level key; lists are the children of their key.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/history.h"
#include "core/model/property_tree.h"

namespace quillmap {

namespace key {
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kIndex = "index";
inline constexpr std::string_view kExplanation = "explanation";
inline constexpr std::string_view kNote = "note";
inline constexpr std::string_view kLink = "link";
inline constexpr std::string_view kHistory = "history";
inline constexpr std::string_view kHistoryEntry = "historylst";
inline constexpr std::string_view kFuncAttr = "funcattr";
inline constexpr std::string_view kArgvList = "argvlist";
inline constexpr std::string_view kArgv = "argv";
inline constexpr std::string_view kReturn = "return";
inline constexpr std::string_view kMemberList = "memberlist";
inline constexpr std::string_view kMember = "member";
}  // namespace key

// Constructs a record with an empty tree instead of its defaults, for a loader that replaces
// the tree at once.
struct EmptyRecordTag {};
inline constexpr EmptyRecordTag kEmptyRecord{};

class SpecRecord : public PropertyTree {
 public:
  ~SpecRecord() override = 0;

  // Clears the tree and builds the record's default keys.
  virtual void InitDefaults();

  std::string GetRecordName() const;
  bool SetRecordName(std::string_view name);
  std::string GetIndex() const;
  bool SetIndex(std::string_view heading);
  std::string GetExplanation() const;
  bool SetExplanation(std::string_view text);
  std::string GetNote() const;
  bool SetNote(std::string_view text);

  bool AddLink(std::string_view name);
  std::string GetLink(std::uint32_t index) const;
  std::uint32_t GetLinkCount() const;

  bool AddHistory(std::time_t date, std::string_view comment);
  // Reads entry i. False when there is no such entry, it has no children, or it has a date but
  // no comment (the date is then still yielded).
  bool GetHistory(std::uint32_t index, std::time_t& date, std::string& comment) const;
  bool GetHistory(std::uint32_t index, HistoryEntry& entry) const;
  std::uint32_t GetHistoryCount() const;

 protected:
  // Reads the three values of the index-th child of a list key; missing values stay as given.
  bool GetTriple(std::string_view list_key, std::uint32_t index, std::string& first,
                 std::string& second, std::string& third) const;
  bool AddTriple(std::string_view list_key, std::string_view child_name, std::string_view first,
                 std::string_view second, std::string_view third);
  std::uint32_t TopChildCount(std::string_view key) const;
};

// Attribute codes of a function; a position in the form's attribute combo is the same code.
enum FuncAttribute : int {
  kAttrPublic = 0,
  kAttrStatic = 1,
  kAttrProtected = 2,
  kAttrPrivate = 3,
  kAttrInline = 4,
};
inline constexpr int kFuncAttributeCount = 5;
// "public", "static", "protected", "private", "inline"; empty for other codes.
std::string_view FuncAttributeWord(int code);
// The code of an attribute word; kAttrPublic for any other text.
int FuncAttributeCode(std::string_view word);

class FunctionSpec : public SpecRecord {
 public:
  FunctionSpec();
  explicit FunctionSpec(EmptyRecordTag) {}
  ~FunctionSpec() override;

  void InitDefaults() override;

  bool SetAttribute(int code);
  int GetAttribute() const;

  bool AddArgument(std::string_view type, std::string_view name, std::string_view description);
  bool GetArgument(std::uint32_t index, std::string& type, std::string& name,
                   std::string& description) const;
  std::uint32_t GetArgumentCount() const;

  std::string GetReturnType() const;
  bool SetReturnType(std::string_view type);
  std::string GetReturnText() const;
  bool SetReturnText(std::string_view text);
};

}  // namespace quillmap
