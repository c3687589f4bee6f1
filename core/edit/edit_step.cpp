#include "core/edit/edit_step.h"

namespace quillmap {

EditStep::EditStep(Change change, RecordKind kind, std::int32_t index, DetachedRecord held,
                   std::string name)
    : change_(change), kind_(kind), index_(index), held_(std::move(held)), name_(std::move(name)) {}

bool EditStep::Undo(SpecStore& store) {
  if (!done_ || !Exchange(store, true)) return false;
  done_ = false;
  return true;
}

bool EditStep::Redo(SpecStore& store) {
  if (done_ || !Exchange(store, false)) return false;
  done_ = true;
  return true;
}

bool EditStep::Exchange(SpecStore& store, bool undo) {
  switch (change_) {
    case Change::kNone:
      return true;
    case Change::kReplace:
      return store.SwapRecord(kind_, index_, held_);
    case Change::kInfo:
      store.SwapInfo(held_);
      return true;
    case Change::kInsert:
    case Change::kRemove:
      break;
  }
  // Undoing an insertion and redoing a removal take the record out; the other two put it back.
  const bool take = (change_ == Change::kInsert) == undo;
  if (take) return store.TakeRecord(kind_, index_, held_);
  return store.InsertRecord(kind_, index_, held_);
}

std::size_t EditStep::HeldBytes() const {
  std::size_t bytes = sizeof(*this) + name_.capacity();
  if (held_.tree.Owned()) bytes += static_cast<std::size_t>(held_.tree.size());
  return bytes;
}

}  // namespace quillmap
