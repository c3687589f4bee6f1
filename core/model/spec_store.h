#pragma once
// DocumentStore and SpecStore: the storage behind a function document, and the .dcm file
// format (header, document information, a "FUNC" section and a "STRC" section).

#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/document_info.h"
#include "core/model/file_identity.h"
#include "core/model/item_list.h"
#include "core/model/spec_record.h"
#include "core/model/struct_spec.h"

namespace quillmap {

class File;
class LoadBudget;

inline constexpr std::uint32_t kHeaderSize = 16;
inline constexpr std::uint32_t kHeaderMagic = 0x53503130;  // "01PS"

class DocumentStore {
 public:
  DocumentStore() = default;
  virtual ~DocumentStore() = 0;
  DocumentStore(const DocumentStore&) = delete;
  DocumentStore& operator=(const DocumentStore&) = delete;

  // Writes header, document information and body. Returns SaveBody's result; file errors raise.
  bool Save(File* file) const;
  // False, with nothing changed, when the header check fails (the first eight bytes).
  bool Load(File* file);

  std::string GetDocInfo(int kind) const { return info_.GetDocInfo(kind); }
  bool SetDocInfo(int kind, std::string_view text) { return info_.SetDocInfo(kind, text); }
  const DocumentInfo& Info() const { return info_; }

 protected:
  virtual bool ResetBody();
  virtual bool LoadBody(File* file, LoadBudget& budget);
  virtual bool SaveBody(File* file) const;

 private:
  DocumentInfo info_;
};

class SpecStore : public DocumentStore {
 public:
  SpecStore();
  ~SpecStore() override;

  std::uint32_t AddFunction(std::string_view name);
  bool RemoveFunction(std::int32_t index);
  std::int32_t FindFunction(std::string_view name) const;
  bool GetFunction(std::int32_t index, FunctionSpec& out) const;
  bool PutFunction(std::int32_t index, const FunctionSpec& record);
  std::uint32_t GetFunctionCount() const;

  std::uint32_t AddStruct(std::string_view name);
  bool RemoveStruct(std::int32_t index);
  std::int32_t FindStruct(std::string_view name) const;
  bool GetStruct(std::int32_t index, StructSpec& out) const;
  bool PutStruct(std::int32_t index, const StructSpec& record);
  std::uint32_t GetStructCount() const;

 protected:
  bool LoadBody(File* file, LoadBudget& budget) override;
  bool SaveBody(File* file) const override;

 private:
  RecordList* functions_;
  RecordList* structures_;
};

// Loads a .dcm file from a path into the store. Returns false when the header check fails (the
// store is then unchanged); raises FileError when the file can't be opened or read.
bool LoadStoreFromPath(SpecStore& store, const std::string& path);
// Saves the store to a path through AtomicFileWriter (which refuses what isn't a writable
// regular file). Returns the identity of the file written. Raises FileError.
FileIdentity SaveStoreToPath(const SpecStore& store, const std::string& path);

}  // namespace quillmap
