// DocumentStore: a .dcm file's header and document-information tree, around the body that a
// subclass loads and saves.
#include <algorithm>
#include <cstring>

#include "core/model/byte_order.h"
#include "core/model/load_budget.h"
#include "core/model/spec_store.h"
#include "core/model/tree_reader.h"

namespace quillmap {

DocumentStore::DocumentStore() : info_(std::make_unique<DocumentInfo>()) {}

DocumentStore::~DocumentStore() = default;

bool DocumentStore::ResetBody() {
  return true;
}
bool DocumentStore::LoadBody(LoadInput&, LoadBudget&) {
  return true;
}
bool DocumentStore::SaveBody(File*, const ProgressFunction&) const {
  return true;
}

const DocumentInfo& DocumentStore::Info() const {
  if (!info_) {
    auto tree = std::make_unique<DocumentInfo>();
    stored_info_.BuildInto(*tree);
    info_ = std::move(tree);
  }
  return *info_;
}

void DocumentStore::ReadInfo(TreeVisitor& visitor) const {
  if (info_) {
    info_->Visit(visitor);
  } else {
    stored_info_.Read(visitor);
  }
}

std::string DocumentStore::GetDocInfo(int kind) const {
  if (info_) return info_->GetDocInfo(kind);
  const std::string_view key = DocumentInfo::Key(kind);
  return key.empty() ? std::string() : stored_info_.Value(key);
}

bool DocumentStore::SetDocInfo(int kind, std::string_view text) {
  Info();
  stored_info_ = StoredTree();
  info_source_.reset();
  return info_->SetDocInfo(kind, text);
}

void DocumentStore::SwapInfo(DetachedRecord& info) {
  DetachedRecord old;
  if (info_) {
    old.tree = StoredTree::FromTree(*info_);
  } else {
    old.tree = std::move(stored_info_);
    old.source = info_source_;
  }
  info_.reset();
  stored_info_ = std::move(info.tree);
  info_source_ = std::move(info.source);
  info = std::move(old);
}

bool DocumentStore::Save(File* file, const ProgressFunction& progress) const {
  if (file == nullptr) return false;
  unsigned char header[kHeaderSize] = {};
  WriteLittleEndian32(header, kHeaderSize);
  WriteLittleEndian32(header + 4, kHeaderMagic);
  file->Write(header, sizeof header);
  if (info_) {
    info_->SaveTree(file);
  } else {
    stored_info_.Write(*file);
  }
  return SaveBody(file, progress);
}

bool DocumentStore::Load(File* file, const ProgressFunction& progress) {
  if (file == nullptr) return false;
  LoadBudget budget(file->Remaining());
  ResetBody();
  unsigned char header[kHeaderSize] = {};
  const std::size_t got = file->Read(header, sizeof header);
  // Only the first eight bytes are checked: size 16 and the magic "01PS".
  if (got < 8 || ReadLittleEndian32(header) != kHeaderSize ||
      ReadLittleEndian32(header + 4) != kHeaderMagic) {
    return false;
  }
  LoadInput input;
  input.bytes = file->ReadToEnd(progress);
  const FileBytes& bytes = *input.bytes;
  TreeVisitor checker;  // the load only checks the records
  const TreeScan scan =
      ReadTree(bytes.data.get(), bytes.size, budget, NameRule::kCutAtZero, checker);
  stored_info_ = StoredTree::Borrow(bytes.data.get(), scan);
  info_source_ = input.bytes;
  info_.reset();
  input.position = scan.consumed;
  return LoadBody(input, budget);
}

}  // namespace quillmap
