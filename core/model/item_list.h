#pragma once
// ItemList: an ordered list of item pointers with O(1) index access. RecordList owns its items
// (SpecRecord heirs) and destroys an item when it is removed.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillmap {

class ItemList {
 public:
  static constexpr std::uint32_t kAppendFailed = 0x0FFFFFFF;

  ItemList() = default;
  virtual ~ItemList();
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  // Appends the item; returns the new count, or kAppendFailed when no room can be had.
  virtual std::uint32_t Append(void* item);
  // The item at a 0-based index, or null past the end.
  void* GetAt(std::size_t index) const;
  // Removes the item at index and hands it to ReleaseItem. False when there is none.
  bool RemoveAt(std::size_t index);
  void RemoveAll();
  std::size_t GetCount() const { return items_.size(); }

 protected:
  // Called with every removed item; the default does nothing.
  virtual void ReleaseItem(void* item);

 private:
  std::vector<void*> items_;
};

class SpecRecord;

class RecordList : public ItemList {
 public:
  ~RecordList() override;
  SpecRecord* GetRecord(std::size_t index) const { return static_cast<SpecRecord*>(GetAt(index)); }

 protected:
  void ReleaseItem(void* item) override;  // deletes the record
};

}  // namespace quillmap
