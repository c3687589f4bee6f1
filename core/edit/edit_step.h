#pragma once
// EditStep: one change made to a document by an edit operation, kept so that it can be undone
// and done again. A step holds only the bytes that are not in the document at the moment: the
// record it replaced or removed while it is done, the record it put in while it is undone. Undo
// and redo exchange those bytes with the document's, so the document goes back to exactly the
// bytes it had (a record never edited keeps the bytes it was read with).

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/model/spec_store.h"

namespace quillmap {

class EditStep {
 public:
  enum class Change {
    kNone,     // nothing changed (a store of the same texts)
    kInsert,   // a record was inserted at index
    kRemove,   // the record at index was removed
    kReplace,  // the record at index was replaced
    kInfo,     // the document information was replaced
  };

  EditStep() = default;
  EditStep(EditStep&&) = default;
  EditStep& operator=(EditStep&&) = default;

  // A step already done on the store; held is what the store no longer has (the old record for
  // kRemove and kReplace, the old information for kInfo, nothing for kInsert). name is the
  // record's name after the step (before it, for a removal).
  EditStep(Change change, RecordKind kind, std::int32_t index, DetachedRecord held,
           std::string name);

  Change change() const { return change_; }
  bool empty() const { return change_ == Change::kNone; }
  RecordKind kind() const { return kind_; }
  std::int32_t index() const { return index_; }
  const std::string& name() const { return name_; }
  bool done() const { return done_; }

  // Each is false, with the store unchanged, when the step is not in the state it reverses or
  // the store no longer has the record at its index (the store was changed around the step).
  bool Undo(SpecStore& store);
  bool Redo(SpecStore& store);

  // The bytes the step holds of its own (borrowed bytes of a file that is still open count
  // nothing).
  std::size_t HeldBytes() const;

 private:
  bool Exchange(SpecStore& store, bool undo);

  Change change_ = Change::kNone;
  RecordKind kind_ = RecordKind::kFunction;
  std::int32_t index_ = -1;
  DetachedRecord held_;
  std::string name_;
  bool done_ = true;
};

}  // namespace quillmap
