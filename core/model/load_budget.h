#pragma once
// LoadBudget bounds the work of loading one document by the size of its file.
//
// Node headers that lie past the end of the file read as zeros, so a corrupt file can declare
// billions of children or records that all come back as empty "phantom" nodes. Real nodes each
// take at least 16 bytes of the file, so they are bounded by its size already; phantom nodes and
// records are not. A load may create at most max(4096, file size / 16) phantoms. When the budget
// is used up the loader stops filling, as if the document ended there, and the load still
// succeeds. Well-formed files have no phantoms, and a merely truncated one rarely needs more than
// a few. Names and data are read only as far as the file holds them, so their declared lengths
// never decide an allocation.

#include <algorithm>
#include <cstdint>

namespace quillmap {

class LoadBudget {
 public:
  static constexpr std::uint64_t kMinimumPhantoms = 4096;

  explicit LoadBudget(std::uint64_t file_size)
      : phantoms_left_(std::max<std::uint64_t>(kMinimumPhantoms, file_size / 16)) {}

  // A budget of exactly this many phantoms: reading a stored record again with the phantoms it
  // got at load time makes the same tree, stopping where the load stopped.
  static LoadBudget Exactly(std::uint64_t phantoms) {
    LoadBudget budget(0);
    budget.phantoms_left_ = phantoms;
    return budget;
  }

  // Takes one phantom node or record. False (and exhausted from then on) when none is left.
  bool TakePhantom() {
    if (phantoms_left_ == 0) {
      exhausted_ = true;
      return false;
    }
    --phantoms_left_;
    return true;
  }
  bool Exhausted() const { return exhausted_; }
  std::uint64_t PhantomsLeft() const { return phantoms_left_; }

 private:
  std::uint64_t phantoms_left_;
  bool exhausted_ = false;
};

}  // namespace quillmap
