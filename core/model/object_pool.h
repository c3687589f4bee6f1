#pragma once
// ObjectPool: allocates objects of one type from chunks owned by the pool, with a free list for
// reuse. A tree holds hundreds of thousands of small nodes; taking them from a few large chunks
// instead of one heap block each makes loading, copying and destroying a document several times
// faster, and keeps a tree's nodes close together in memory.

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace quillmap {

template <typename T>
class ObjectPool {
 public:
  ObjectPool() = default;
  ~ObjectPool() { ReleaseMemory(); }
  ObjectPool(const ObjectPool&) = delete;
  ObjectPool& operator=(const ObjectPool&) = delete;

  // Constructs an object in the pool. Null when no memory can be had.
  template <typename... Args>
  T* New(Args&&... args) {
    void* slot = Allocate();
    if (slot == nullptr) return nullptr;
    try {
      return new (slot) T(std::forward<Args>(args)...);
    } catch (...) {
      Free(slot);
      return nullptr;
    }
  }

  // Destroys an object of this pool and keeps its slot for reuse.
  void Delete(T* object) {
    object->~T();
    Free(object);
  }

  // Frees every chunk. Only for a pool whose objects are all destroyed (or trivially
  // destructible and no longer used).
  void ReleaseMemory() {
    for (Slot* chunk : chunks_) ::operator delete(chunk);
    chunks_.clear();
    current_ = nullptr;
    used_ = capacity_ = 0;
    free_ = nullptr;
  }

 private:
  union Slot {
    Slot* next;
    alignas(T) unsigned char storage[sizeof(T)];
  };
  static constexpr std::size_t kFirstChunk = 64;  // a whole function record fits in the first chunk
  static constexpr std::size_t kLargestChunk = 1024;

  void* Allocate() {
    if (free_) {
      Slot* slot = free_;
      free_ = slot->next;
      return slot;
    }
    if (used_ == capacity_) {
      std::size_t capacity = std::min(capacity_ ? capacity_ * 2 : kFirstChunk, kLargestChunk);
      auto* chunk = static_cast<Slot*>(::operator new(sizeof(Slot) * capacity, std::nothrow));
      if (chunk == nullptr) return nullptr;
      try {
        chunks_.push_back(chunk);
      } catch (const std::bad_alloc&) {
        ::operator delete(chunk);
        return nullptr;
      }
      current_ = chunk;
      capacity_ = capacity;
      used_ = 0;
    }
    return &current_[used_++];
  }

  void Free(void* object) {
    auto* slot = static_cast<Slot*>(object);
    slot->next = free_;
    free_ = slot;
  }

  std::vector<Slot*> chunks_;
  Slot* current_ = nullptr;
  std::size_t used_ = 0;
  std::size_t capacity_ = 0;
  Slot* free_ = nullptr;
};

}  // namespace quillmap
