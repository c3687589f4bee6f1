// SpecStore: the record lists of a document and their sections in the .dcm file format (the
// header and the document information are DocumentStore's, in document_store.cpp).
//
// File: header {16, "01PS", 0, 0}; the document-information tree; then sections, each an 8-byte
// tag ("0001" and a kind), 32 bytes of info (record count, 28 zero bytes) and one tree record per
// record. Sections load in any order and number; unknown kinds are skipped.
#include "core/model/spec_store.h"

#include <algorithm>
#include <cstring>

#include "core/model/byte_order.h"
#include "core/model/load_budget.h"
#include "core/model/tree_reader.h"

namespace quillmap {

namespace {

constexpr char kSectionVersion[4] = {'0', '0', '0', '1'};
constexpr char kFunctionKind[4] = {'F', 'U', 'N', 'C'};
constexpr char kStructKind[4] = {'S', 'T', 'R', 'C'};
constexpr std::size_t kSectionTagSize = 8;
constexpr std::size_t kSectionInfoSize = 32;

// Tells a progress function of the bytes written, every few megabytes.
class SaveProgress {
 public:
  SaveProgress(const ProgressFunction& progress, const File& file, std::uint64_t total)
      : progress_(progress), file_(file), start_(file.Position()), total_(total) {}
  void Update() {
    if (!progress_) return;
    const std::uint64_t done = file_.Position() - start_;
    if (done - reported_ < kProgressStep) return;
    reported_ = done;
    progress_(done, std::max(done, total_));
  }

 private:
  const ProgressFunction& progress_;
  const File& file_;
  std::uint64_t start_;
  std::uint64_t total_;
  std::uint64_t reported_ = 0;
};

// Writes the records; runs of unchanged records that lay next to each other in the file are
// written in one piece, straight from the bytes that were read.
void WriteRecords(File* file, const RecordTable& table, SaveProgress& progress) {
  const unsigned char* run = nullptr;
  std::uint64_t run_size = 0;
  auto flush = [&] {
    if (run_size) file->Write(run, run_size);
    run = nullptr;
    run_size = 0;
  };
  for (std::size_t i = 0; i < table.Count(); ++i) {
    const StoredTree& tree = *table.At(i);
    if (tree.Canonical() && !tree.Owned()) {
      if (run != nullptr && run + run_size == tree.bytes()) {
        run_size += tree.size();
        continue;
      }
      flush();
      run = tree.bytes();
      run_size = tree.size();
      continue;
    }
    flush();
    tree.Write(*file);
    progress.Update();
  }
  flush();
  progress.Update();
}

void WriteSection(File* file, const char (&kind)[4], const RecordTable& table,
                  SaveProgress& progress) {
  unsigned char head[kSectionTagSize + kSectionInfoSize] = {};
  std::memcpy(head, kSectionVersion, 4);
  std::memcpy(head + 4, kind, 4);
  WriteLittleEndian32(head + kSectionTagSize, static_cast<std::uint32_t>(table.Count()));
  file->Write(head, sizeof head);
  WriteRecords(file, table, progress);
}

std::uint64_t StoredBytes(const RecordTable& table) {
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < table.Count(); ++i) total += table.At(i)->size();
  return total;
}

}  // namespace

// ---- SpecStore ---------------------------------------------------------------------------------

RecordTable::RecordTable(const RecordTable& other)
    : source_(other.source_), digests_(other.digests_) {
  trees_.reserve(other.trees_.size());
  for (const StoredTree& tree : other.trees_) trees_.push_back(tree.Clone());
}

namespace {

// Digests of names: kAmbiguous for a record that must be read to tell (its name key has several
// children), kNoName for one that no name finds.
constexpr std::uint32_t kAmbiguous = 0;
constexpr std::uint32_t kNoName = 1;

std::uint32_t NameDigest(std::string_view name) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash > kNoName ? hash : hash + 2;
}

std::uint32_t ScanDigest(const TopChildScan& scan) {
  switch (scan.children()) {
    case 0:
      return kNoName;
    case 1:
      return NameDigest(scan.first());
    default:
      return kAmbiguous;
  }
}

std::uint32_t RecordDigest(const StoredTree& tree) {
  TopChildScan scan(key::kName, nullptr, true);
  tree.Read(scan);
  return ScanDigest(scan);
}

}  // namespace

std::int32_t RecordTable::FindName(std::string_view name) const {
  const std::uint32_t digest = NameDigest(name);
  for (std::size_t i = 0; i < trees_.size(); ++i) {
    const std::uint32_t stored = digests_[i];
    if ((stored == digest || stored == kAmbiguous) && trees_[i].HasTopChild(key::kName, name)) {
      return static_cast<std::int32_t>(i);
    }
  }
  return -1;
}

void RecordTable::Append(StoredTree tree) {
  digests_.push_back(RecordDigest(tree));
  trees_.push_back(std::move(tree));
}

void RecordTable::Replace(std::size_t index, StoredTree tree) {
  digests_[index] = RecordDigest(tree);
  trees_[index] = std::move(tree);
}

void RecordTable::Insert(std::size_t index, StoredTree tree) {
  const auto at = static_cast<std::ptrdiff_t>(index);
  digests_.insert(digests_.begin() + at, RecordDigest(tree));
  trees_.insert(trees_.begin() + at, std::move(tree));
}

void RecordTable::Adopt(DetachedRecord& record) const {
  // Bytes borrowed from another file's buffer (a document read again since the record left)
  // would not live as long as this table: the record takes a copy.
  if (!record.tree.Owned() && record.source != source_) record.tree.Own();
  record.source.reset();
}

void RecordTable::Erase(std::size_t index) {
  digests_.erase(digests_.begin() + static_cast<std::ptrdiff_t>(index));
  trees_.erase(trees_.begin() + static_cast<std::ptrdiff_t>(index));
}

namespace {

// Loads count records into table. Records whose trees lie past the end of the file come back
// empty, each at the cost of one phantom of the budget.
void LoadSection(const FileBytes& bytes, std::uint64_t& position, LoadBudget& budget,
                 std::uint32_t count, std::vector<StoredTree>& trees,
                 std::vector<std::uint32_t>& digests) {
  // Every record the file holds takes at least a node header, so this is all the room the
  // section needs unless it ends in phantom records.
  const std::uint64_t real = (bytes.size - position) / 16 + 1;
  const std::size_t room =
      trees.size() + static_cast<std::size_t>(std::min<std::uint64_t>(count, real));
  trees.reserve(room);
  digests.reserve(room);
  for (std::uint32_t i = 0; i < count && !budget.Exhausted(); ++i) {
    const unsigned char* start = bytes.data.get() + position;
    // The load reads every record to the end (to check it and find where the next begins), and
    // takes its name's digest on the way.
    TopChildScan name(key::kName, nullptr, false);
    const TreeScan scan =
        ReadTree(start, bytes.size - position, budget, NameRule::kCutAtZero, name);
    if (scan.consumed == 0 && !budget.TakePhantom()) return;
    if (trees.size() >= ItemList::kAppendFailed - 1) return;
    trees.push_back(StoredTree::Borrow(start, scan));
    digests.push_back(ScanDigest(name));
    position += scan.consumed;
  }
}

template <typename Record>
bool CopyOut(const RecordTable& table, std::int32_t index, Record& out) {
  if (index < 0) return false;
  const StoredTree* stored = table.At(static_cast<std::size_t>(index));
  if (stored == nullptr) return false;
  stored->BuildInto(out);
  return true;
}

std::string ValueAt(const RecordTable& table, std::int32_t index, std::string_view key) {
  const StoredTree* stored = index < 0 ? nullptr : table.At(static_cast<std::size_t>(index));
  return stored ? stored->Value(key) : std::string();
}

text::SharedBytes SharedValueAt(const RecordTable& table,
                                const std::shared_ptr<const FileBytes>& source, std::int32_t index,
                                std::string_view key) {
  const StoredTree* stored = index < 0 ? nullptr : table.At(static_cast<std::size_t>(index));
  if (stored == nullptr) return {};
  const std::string_view value = stored->ValueView(key);
  // A tree that isn't its own borrows the table's file bytes.
  if (!stored->Owned() && source) return text::SharedBytes(source, value);
  return text::SharedBytes(value);
}

}  // namespace

SpecStore::SpecStore()
    : functions_(std::make_shared<RecordTable>()), structures_(std::make_shared<RecordTable>()) {}

SpecStore::~SpecStore() = default;

RecordTable& SpecStore::Writable(std::shared_ptr<RecordTable>& table) {
  if (table.use_count() > 1) table = std::make_shared<RecordTable>(*table);
  return *table;
}

bool SpecStore::LoadBody(LoadInput& input, LoadBudget& budget) {
  functions_ = std::make_shared<RecordTable>();
  structures_ = std::make_shared<RecordTable>();
  functions_->source_ = input.bytes;
  structures_->source_ = input.bytes;
  const FileBytes& bytes = *input.bytes;
  std::uint64_t& position = input.position;
  while (!budget.Exhausted()) {
    // A tag or info block cut short by the end of the file ends the document.
    if (bytes.size - position < kSectionTagSize + kSectionInfoSize) break;
    const unsigned char* tag = bytes.data.get() + position;
    const std::uint32_t count = ReadLittleEndian32(tag + kSectionTagSize);
    position += kSectionTagSize + kSectionInfoSize;
    if (std::memcmp(tag + 4, kFunctionKind, 4) == 0) {
      LoadSection(bytes, position, budget, count, functions_->trees_, functions_->digests_);
    } else if (std::memcmp(tag + 4, kStructKind, 4) == 0) {
      LoadSection(bytes, position, budget, count, structures_->trees_, structures_->digests_);
    }
  }
  return true;
}

bool SpecStore::SaveBody(File* file, const ProgressFunction& progress) const {
  SaveProgress tracker(progress, *file, StoredBytes(*functions_) + StoredBytes(*structures_));
  WriteSection(file, kFunctionKind, *functions_, tracker);
  WriteSection(file, kStructKind, *structures_, tracker);
  return true;
}

namespace {

template <typename Record>
StoredTree NewRecord(std::string_view name) {
  Record record;
  record.SetRecordName(name);
  return StoredTree::FromTree(record);
}

}  // namespace

std::uint32_t SpecStore::AddFunction(std::string_view name) {
  if (functions_->Count() >= ItemList::kAppendFailed - 1) return ItemList::kAppendFailed;
  RecordTable& table = Writable(functions_);
  table.Append(NewRecord<FunctionSpec>(name));
  return static_cast<std::uint32_t>(table.Count());
}

bool SpecStore::RemoveFunction(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= functions_->Count()) return false;
  Writable(functions_).Erase(static_cast<std::size_t>(index));
  return true;
}

std::int32_t SpecStore::FindFunction(std::string_view name) const {
  return functions_->FindName(name);
}

bool SpecStore::GetFunction(std::int32_t index, FunctionSpec& out) const {
  return CopyOut(*functions_, index, out);
}

bool SpecStore::PutFunction(std::int32_t index, const FunctionSpec& record) {
  if (index < 0 || static_cast<std::size_t>(index) >= functions_->Count()) return false;
  Writable(functions_).Replace(static_cast<std::size_t>(index), StoredTree::FromTree(record));
  return true;
}

std::uint32_t SpecStore::GetFunctionCount() const {
  return static_cast<std::uint32_t>(functions_->Count());
}

std::uint32_t SpecStore::AddStruct(std::string_view name) {
  if (structures_->Count() >= ItemList::kAppendFailed - 1) return ItemList::kAppendFailed;
  RecordTable& table = Writable(structures_);
  table.Append(NewRecord<StructSpec>(name));
  return static_cast<std::uint32_t>(table.Count());
}

bool SpecStore::RemoveStruct(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= structures_->Count()) return false;
  Writable(structures_).Erase(static_cast<std::size_t>(index));
  return true;
}

std::int32_t SpecStore::FindStruct(std::string_view name) const {
  return structures_->FindName(name);
}

bool SpecStore::GetStruct(std::int32_t index, StructSpec& out) const {
  return CopyOut(*structures_, index, out);
}

bool SpecStore::PutStruct(std::int32_t index, const StructSpec& record) {
  if (index < 0 || static_cast<std::size_t>(index) >= structures_->Count()) return false;
  Writable(structures_).Replace(static_cast<std::size_t>(index), StoredTree::FromTree(record));
  return true;
}

std::uint32_t SpecStore::GetStructCount() const {
  return static_cast<std::uint32_t>(structures_->Count());
}

bool SpecStore::SwapRecord(RecordKind kind, std::int32_t index, DetachedRecord& record) {
  if (index < 0 || static_cast<std::size_t>(index) >= Records(kind).Count()) return false;
  RecordTable& table = Writable(Table(kind));
  table.Adopt(record);
  DetachedRecord old{std::move(table.trees_[static_cast<std::size_t>(index)]), table.source_};
  table.Replace(static_cast<std::size_t>(index), std::move(record.tree));
  record = std::move(old);
  return true;
}

bool SpecStore::InsertRecord(RecordKind kind, std::int32_t index, DetachedRecord& record) {
  const std::size_t count = Records(kind).Count();
  if (index < 0 || static_cast<std::size_t>(index) > count) return false;
  if (count >= ItemList::kAppendFailed - 1) return false;
  RecordTable& table = Writable(Table(kind));
  table.Adopt(record);
  table.Insert(static_cast<std::size_t>(index), std::move(record.tree));
  record = DetachedRecord();
  return true;
}

bool SpecStore::TakeRecord(RecordKind kind, std::int32_t index, DetachedRecord& out) {
  if (index < 0 || static_cast<std::size_t>(index) >= Records(kind).Count()) return false;
  RecordTable& table = Writable(Table(kind));
  out.tree = std::move(table.trees_[static_cast<std::size_t>(index)]);
  out.source = table.source_;
  table.Erase(static_cast<std::size_t>(index));
  return true;
}

const StoredTree* SpecStore::StoredRecord(RecordKind kind, std::int32_t index) const {
  return index < 0 ? nullptr : Records(kind).At(static_cast<std::size_t>(index));
}

std::string SpecStore::GetFunctionName(std::int32_t index) const {
  return ValueAt(*functions_, index, key::kName);
}

std::string SpecStore::GetFunctionReturnType(std::int32_t index) const {
  return ValueAt(*functions_, index, key::kReturn);
}

std::string SpecStore::GetStructName(std::int32_t index) const {
  return ValueAt(*structures_, index, key::kName);
}

text::SharedBytes SpecStore::SharedFunctionName(std::int32_t index) const {
  return SharedValueAt(*functions_, functions_->source_, index, key::kName);
}

text::SharedBytes SpecStore::SharedStructName(std::int32_t index) const {
  return SharedValueAt(*structures_, structures_->source_, index, key::kName);
}

bool LoadStoreFromPath(SpecStore& store, const std::string& path,
                       const ProgressFunction& progress) {
  File file;
  file.Open(path, File::Mode::kRead);
  return store.Load(&file, progress);
}

FileIdentity SaveStoreToPath(const SpecStore& store, const std::string& path,
                             const ProgressFunction& progress) {
  AtomicFileWriter writer(path);
  store.Save(&writer.file(), progress);
  writer.Commit();
  return writer.written();
}

}  // namespace quillmap
