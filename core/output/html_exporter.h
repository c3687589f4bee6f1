#pragma once
// The HTML reference page of a document: a head with title and copyright, the list of
// structures, the list of functions, one block per structure and per function, and a tail.
// Record values are written as stored (Shift-JIS, not escaped). The page streams to the file: each
// of its six fragments is handed over whole when it is small, and in pieces of a few hundred
// kilobytes when it is large, so that the memory an export takes does not grow with the page.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/flat_tree.h"
#include "core/model/spec_record.h"
#include "core/model/spec_store.h"
#include "core/model/struct_spec.h"

namespace quillmap {

class File;
class PageOut;

class SpecExporter {
 public:
  SpecExporter() = default;
  virtual ~SpecExporter() = 0;
  SpecExporter(const SpecExporter&) = delete;
  SpecExporter& operator=(const SpecExporter&) = delete;

  // Writes nothing; true exactly when a store is attached and file is not null.
  virtual bool Write(File* file);

  // Takes the store's records as they are now (a snapshot: later changes of the store don't
  // reach the exporter, and taking it copies nothing) and enables all five attribute slots.
  // False, with nothing changed, for a null store.
  bool Attach(const SpecStore* store);
  // Enables (value != 0) or disables the functions whose attribute code is slot. False for a
  // slot above 4.
  bool SetAttributeFlag(unsigned slot, int value);
  // The stored flag of slots 0 to 4; 0 for any other slot.
  int IsAttributeEnabled(unsigned slot) const;

  // The attached store's title (0) or copyright (1); empty without a store.
  std::string GetDocInfo(int kind) const;
  // Counts of the records taken at Attach (0 before).
  std::uint32_t GetFunctionCount() const;
  std::uint32_t GetStructCount() const;
  // Replaces out with a copy of the record at index; false without a store or past the end.
  bool GetFunction(std::uint32_t index, FunctionSpec& out) const;
  bool GetStruct(std::uint32_t index, StructSpec& out) const;

 protected:
  bool IsAttached() const { return store_ != nullptr; }
  // The records taken at Attach (empty before).
  const RecordTable& Functions() const;
  const RecordTable& Structures() const;

 private:
  const SpecStore* store_ = nullptr;
  RecordSnapshot records_;
  std::array<int, kFuncAttributeCount> attribute_flags_{};
};

class HtmlExporter : public SpecExporter {
 public:
  ~HtmlExporter() override;

  // Writes the page. False without writing for a null file; a failed write raises FileError
  // (what was written before it stays in the file). The caller closes the file.
  bool Write(File* file) override;

 protected:
  // Hands a fragment, or the next piece of a large one, to the file.
  virtual void WriteFragment(File& file, std::string_view fragment);

 private:
  // Each appends its fragment to out, handing full pieces to the file on the way, and hands the
  // rest over at its end.
  void WriteHead(File& file, PageOut& out);
  void WriteStructList(File& file, PageOut& out);
  void WriteFunctionList(File& file, PageOut& out);
  void WriteStructSpecs(File& file, PageOut& out);
  void WriteFunctionSpecs(File& file, PageOut& out);
  void WriteTail(File& file, PageOut& out);
  // Hands out over when it has grown to a piece (or always, at the end of a fragment).
  void Spill(File& file, PageOut& out, bool end_of_fragment = false);

  FlatTree record_;  // the record being written
};

}  // namespace quillmap
