// ItemList over a vector: O(1) index access and amortised O(1) append.
#include "core/model/item_list.h"

#include <new>

#include "core/model/spec_record.h"

namespace quillmap {

ItemList::~ItemList() {
  RemoveAll();
}

std::uint32_t ItemList::Append(void* item) {
  if (items_.size() >= kAppendFailed - 1) return kAppendFailed;
  try {
    items_.push_back(item);
  } catch (const std::bad_alloc&) {
    return kAppendFailed;
  }
  return static_cast<std::uint32_t>(items_.size());
}

void* ItemList::GetAt(std::size_t index) const {
  return index < items_.size() ? items_[index] : nullptr;
}

bool ItemList::RemoveAt(std::size_t index) {
  if (index >= items_.size()) return false;
  void* item = items_[index];
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  ReleaseItem(item);
  return true;
}

void ItemList::RemoveAll() {
  // Release in list order, as removing index 0 count times would.
  std::vector<void*> items;
  items.swap(items_);
  for (void* item : items) ReleaseItem(item);
}

void ItemList::ReleaseItem(void*) {}

RecordList::~RecordList() {
  RemoveAll();
}

void RecordList::ReleaseItem(void* item) {
  delete static_cast<SpecRecord*>(item);
}

}  // namespace quillmap
