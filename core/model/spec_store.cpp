// DocumentStore and SpecStore: the .dcm file format and the record lists of a document.
//
// File: header {16, "01PS", 0, 0}; the document-information tree; then sections, each an 8-byte
// tag ("0001" and a kind), 32 bytes of info (record count, 28 zero bytes) and one tree record per
// record. Sections load in any order and number; unknown kinds are skipped.
#include "core/model/spec_store.h"

#include <cstring>
#include <memory>

#include "core/model/byte_order.h"
#include "core/model/file.h"
#include "core/model/load_budget.h"

namespace quillmap {

namespace {

constexpr char kSectionVersion[4] = {'0', '0', '0', '1'};
constexpr char kFunctionKind[4] = {'F', 'U', 'N', 'C'};
constexpr char kStructKind[4] = {'S', 'T', 'R', 'C'};
constexpr std::size_t kSectionTagSize = 8;
constexpr std::size_t kSectionInfoSize = 32;

void WriteSection(File* file, const char (&kind)[4], const RecordList& list) {
  unsigned char head[kSectionTagSize + kSectionInfoSize] = {};
  std::memcpy(head, kSectionVersion, 4);
  std::memcpy(head + 4, kind, 4);
  WriteLittleEndian32(head + kSectionTagSize, static_cast<std::uint32_t>(list.GetCount()));
  file->Write(head, sizeof head);
  for (std::size_t i = 0; i < list.GetCount(); ++i) list.GetRecord(i)->SaveTree(file);
}

// Loads count records of type Record into list. Records whose trees lie past the end of the
// file come back empty, each at the cost of one phantom of the budget.
template <typename Record>
void LoadSection(File* file, LoadBudget& budget, std::uint32_t count, RecordList& list) {
  for (std::uint32_t i = 0; i < count && !budget.Exhausted(); ++i) {
    auto record = std::make_unique<Record>(kEmptyRecord);
    std::uint64_t before = file->Position();
    record->LoadTree(file, budget);
    if (file->Position() == before && !budget.TakePhantom()) return;
    if (list.Append(record.get()) == ItemList::kAppendFailed) return;
    record.release();
  }
}

template <typename Record>
bool CopyOut(const RecordList* list, std::int32_t index, Record& out) {
  if (index < 0) return false;
  const SpecRecord* stored = list->GetRecord(static_cast<std::size_t>(index));
  return stored != nullptr && out.CopyFrom(stored);
}

template <typename Record>
bool CopyIn(RecordList* list, std::int32_t index, const Record& record) {
  if (index < 0) return false;
  SpecRecord* stored = list->GetRecord(static_cast<std::size_t>(index));
  return stored != nullptr && stored->CopyFrom(&record);
}

template <typename Record>
std::uint32_t AddRecord(RecordList* list, std::string_view name) {
  auto record = std::make_unique<Record>();
  record->SetRecordName(name);
  std::uint32_t count = list->Append(record.get());
  if (count != ItemList::kAppendFailed) record.release();
  return count;
}

// The first record with a top-level "name" key whose value node is exactly name. Unlike the path
// "/name/<name>" this also finds names that contain "/".
std::int32_t FindRecord(const RecordList* list, std::string_view name) {
  for (std::size_t i = 0; i < list->GetCount(); ++i) {
    if (list->GetRecord(i)->FindTopChild(key::kName, name)) return static_cast<std::int32_t>(i);
  }
  return -1;
}

}  // namespace

DocumentStore::~DocumentStore() = default;

bool DocumentStore::ResetBody() {
  return true;
}
bool DocumentStore::LoadBody(File*, LoadBudget&) {
  return true;
}
bool DocumentStore::SaveBody(File*) const {
  return true;
}

bool DocumentStore::Save(File* file) const {
  if (file == nullptr) return false;
  unsigned char header[kHeaderSize] = {};
  WriteLittleEndian32(header, kHeaderSize);
  WriteLittleEndian32(header + 4, kHeaderMagic);
  file->Write(header, sizeof header);
  info_.SaveTree(file);
  return SaveBody(file);
}

bool DocumentStore::Load(File* file) {
  if (file == nullptr) return false;
  LoadBudget budget(file->Remaining());
  ResetBody();
  unsigned char header[kHeaderSize] = {};
  std::size_t got = file->Read(header, sizeof header);
  // Only the first eight bytes are checked: size 16 and the magic "01PS".
  if (got < 8 || ReadLittleEndian32(header) != kHeaderSize ||
      ReadLittleEndian32(header + 4) != kHeaderMagic) {
    return false;
  }
  info_.LoadTree(file, budget);
  return LoadBody(file, budget);
}

SpecStore::SpecStore() : functions_(new RecordList), structures_(new RecordList) {}

SpecStore::~SpecStore() {
  delete functions_;
  delete structures_;
}

bool SpecStore::LoadBody(File* file, LoadBudget& budget) {
  functions_->RemoveAll();
  structures_->RemoveAll();
  while (!budget.Exhausted()) {
    unsigned char tag[kSectionTagSize];
    unsigned char info[kSectionInfoSize];
    // A tag or info block cut short by the end of the file ends the document.
    if (file->Read(tag, sizeof tag) != sizeof tag) break;
    if (file->Read(info, sizeof info) != sizeof info) break;
    std::uint32_t count = ReadLittleEndian32(info);
    if (std::memcmp(tag + 4, kFunctionKind, 4) == 0) {
      LoadSection<FunctionSpec>(file, budget, count, *functions_);
    } else if (std::memcmp(tag + 4, kStructKind, 4) == 0) {
      LoadSection<StructSpec>(file, budget, count, *structures_);
    }
  }
  return true;
}

bool SpecStore::SaveBody(File* file) const {
  WriteSection(file, kFunctionKind, *functions_);
  WriteSection(file, kStructKind, *structures_);
  return true;
}

std::uint32_t SpecStore::AddFunction(std::string_view name) {
  return AddRecord<FunctionSpec>(functions_, name);
}

bool SpecStore::RemoveFunction(std::int32_t index) {
  return index >= 0 && functions_->RemoveAt(static_cast<std::size_t>(index));
}

std::int32_t SpecStore::FindFunction(std::string_view name) const {
  return FindRecord(functions_, name);
}

bool SpecStore::GetFunction(std::int32_t index, FunctionSpec& out) const {
  return CopyOut(functions_, index, out);
}

bool SpecStore::PutFunction(std::int32_t index, const FunctionSpec& record) {
  return CopyIn(functions_, index, record);
}

std::uint32_t SpecStore::GetFunctionCount() const {
  return static_cast<std::uint32_t>(functions_->GetCount());
}

std::uint32_t SpecStore::AddStruct(std::string_view name) {
  return AddRecord<StructSpec>(structures_, name);
}

bool SpecStore::RemoveStruct(std::int32_t index) {
  return index >= 0 && structures_->RemoveAt(static_cast<std::size_t>(index));
}

std::int32_t SpecStore::FindStruct(std::string_view name) const {
  return FindRecord(structures_, name);
}

bool SpecStore::GetStruct(std::int32_t index, StructSpec& out) const {
  return CopyOut(structures_, index, out);
}

bool SpecStore::PutStruct(std::int32_t index, const StructSpec& record) {
  return CopyIn(structures_, index, record);
}

std::uint32_t SpecStore::GetStructCount() const {
  return static_cast<std::uint32_t>(structures_->GetCount());
}

bool LoadStoreFromPath(SpecStore& store, const std::string& path) {
  File file;
  file.Open(path, File::Mode::kRead);
  return store.Load(&file);
}

FileIdentity SaveStoreToPath(const SpecStore& store, const std::string& path) {
  AtomicFileWriter writer(path);
  store.Save(&writer.file());
  writer.Commit();
  return writer.written();
}

}  // namespace quillmap
