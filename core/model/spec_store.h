#pragma once
// DocumentStore and SpecStore: the storage behind a function document, and the .dcm file
// format (header, document information, a "FUNC" section and a "STRC" section).
//
// A loaded document keeps the file's bytes, read in one piece, and each record as the bytes it
// took (StoredTree) until the record is replaced; records are handed out and taken back as whole
// trees (GetFunction, PutFunction). Saving copies the bytes of the records that are unchanged.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/document_info.h"
#include "core/model/file.h"
#include "core/model/file_identity.h"
#include "core/model/item_list.h"
#include "core/model/progress.h"
#include "core/model/spec_record.h"
#include "core/model/stored_tree.h"
#include "core/model/struct_spec.h"
#include "core/text/shared_bytes.h"

namespace quillmap {

class LoadBudget;

inline constexpr std::uint32_t kHeaderSize = 16;
inline constexpr std::uint32_t kHeaderMagic = 0x53503130;  // "01PS"

// A record or the document information taken out of a store as its stored bytes, with the file
// bytes they borrow (if any) kept alive, so that putting it back restores exactly those bytes.
struct DetachedRecord {
  StoredTree tree;
  std::shared_ptr<const FileBytes> source;
};

enum class RecordKind { kFunction, kStruct };

// The records of one list in their file form. The bytes that records borrow belong to source.
class RecordTable {
 public:
  RecordTable() = default;
  RecordTable(const RecordTable& other);  // owned bytes are copied
  RecordTable& operator=(const RecordTable&) = delete;

  std::size_t Count() const { return trees_.size(); }
  // The record at index, or null past the end.
  const StoredTree* At(std::size_t index) const {
    return index < trees_.size() ? &trees_[index] : nullptr;
  }
  // The smallest index whose record has a top-level "name" key with a child of exactly this
  // name (the first such key that has children decides); -1 when none.
  std::int32_t FindName(std::string_view name) const;

 private:
  friend class SpecStore;
  void Append(StoredTree tree);
  void Replace(std::size_t index, StoredTree tree);
  void Erase(std::size_t index);
  void Insert(std::size_t index, StoredTree tree);
  // Makes a tree borrowed from bytes other than this table's its own.
  void Adopt(DetachedRecord& record) const;

  std::vector<StoredTree> trees_;
  std::shared_ptr<const FileBytes> source_;
  // A digest of every record's name (made while loading, kept up to date on every change): a
  // search compares numbers instead of reading records spread over the file's bytes.
  std::vector<std::uint32_t> digests_;
};

// The records of a store as they were when it was taken; later changes of the store don't
// reach it. Taking one copies nothing.
struct RecordSnapshot {
  std::shared_ptr<const RecordTable> functions;
  std::shared_ptr<const RecordTable> structures;
};

class DocumentStore {
 public:
  DocumentStore();
  virtual ~DocumentStore() = 0;
  DocumentStore(const DocumentStore&) = delete;
  DocumentStore& operator=(const DocumentStore&) = delete;

  // Writes header, document information and body. Returns SaveBody's result; file errors raise.
  bool Save(File* file, const ProgressFunction& progress = nullptr) const;
  // False, with nothing changed, when the header check fails (the first eight bytes). Reads the
  // rest of the file in one piece first; progress hears of the reading.
  bool Load(File* file, const ProgressFunction& progress = nullptr);

  std::string GetDocInfo(int kind) const;
  bool SetDocInfo(int kind, std::string_view text);
  // The document information as a tree (made from the stored bytes on first use).
  const DocumentInfo& Info() const;
  // Reads the document information node by node, without making the tree.
  void ReadInfo(TreeVisitor& visitor) const;
  // Exchanges the document information with info, in its stored form (for undoing a change).
  void SwapInfo(DetachedRecord& info);

 protected:
  // Where the body of a file being loaded starts, in the bytes read.
  struct LoadInput {
    std::shared_ptr<const FileBytes> bytes;
    std::uint64_t position = 0;
  };

  virtual bool ResetBody();
  virtual bool LoadBody(LoadInput& input, LoadBudget& budget);
  virtual bool SaveBody(File* file, const ProgressFunction& progress) const;

 private:
  // The tree once it is made (always, for a document that was not loaded), else the bytes read.
  mutable std::unique_ptr<DocumentInfo> info_;
  StoredTree stored_info_;
  std::shared_ptr<const FileBytes> info_source_;
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

  // Single values of a record without copying it out (GetRecordName, GetReturnType); empty past
  // the end.
  std::string GetFunctionName(std::int32_t index) const;
  std::string GetFunctionReturnType(std::int32_t index) const;
  std::string GetStructName(std::int32_t index) const;
  // The names as shares of the file's bytes where the record still lies in them (no copy, however
  // long the name), else as copies.
  text::SharedBytes SharedFunctionName(std::int32_t index) const;
  text::SharedBytes SharedStructName(std::int32_t index) const;

  RecordSnapshot Snapshot() const { return {functions_, structures_}; }

  // Whole records as their stored bytes, for edits that put back exactly what they took out.
  // Each is false, with nothing changed, for an index out of range (insertion: past the count,
  // or a full list). A record inserted is moved out of record.
  bool SwapRecord(RecordKind kind, std::int32_t index, DetachedRecord& record);
  bool InsertRecord(RecordKind kind, std::int32_t index, DetachedRecord& record);
  bool TakeRecord(RecordKind kind, std::int32_t index, DetachedRecord& out);
  // The stored bytes of the record at index; null past the end.
  const StoredTree* StoredRecord(RecordKind kind, std::int32_t index) const;

 protected:
  bool LoadBody(LoadInput& input, LoadBudget& budget) override;
  bool SaveBody(File* file, const ProgressFunction& progress) const override;

 private:
  // The table to change; copied first when a snapshot still shares it.
  static RecordTable& Writable(std::shared_ptr<RecordTable>& table);
  std::shared_ptr<RecordTable>& Table(RecordKind kind) {
    return kind == RecordKind::kFunction ? functions_ : structures_;
  }
  const RecordTable& Records(RecordKind kind) const {
    return kind == RecordKind::kFunction ? *functions_ : *structures_;
  }

  std::shared_ptr<RecordTable> functions_;
  std::shared_ptr<RecordTable> structures_;
};

// Loads a .dcm file from a path into the store. Returns false when the header check fails (the
// store is then unchanged); raises FileError when the file can't be opened or read.
bool LoadStoreFromPath(SpecStore& store, const std::string& path,
                       const ProgressFunction& progress = nullptr);
// Saves the store to a path through AtomicFileWriter (which refuses what isn't a writable
// regular file). Returns the identity of the file written. Raises FileError.
FileIdentity SaveStoreToPath(const SpecStore& store, const std::string& path,
                             const ProgressFunction& progress = nullptr);

}  // namespace quillmap
