#pragma once
// The HTML reference page of a document: a head with title and copyright, the list of
// structures, the list of functions, one block per structure and per function, and a tail.
// Record values are written as stored (Shift-JIS, not escaped). The page reaches the file in six
// writes, one per fragment.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/spec_record.h"
#include "core/model/struct_spec.h"

namespace quillmap {

class File;
class SpecStore;

class SpecExporter {
 public:
  SpecExporter() = default;
  virtual ~SpecExporter() = 0;
  SpecExporter(const SpecExporter&) = delete;
  SpecExporter& operator=(const SpecExporter&) = delete;

  // Writes nothing; true exactly when a store is attached and file is not null.
  virtual bool Write(File* file);

  // Copies every function and structure of the store in its order and enables all five
  // attribute slots. False, with nothing changed, for a null store.
  bool Attach(const SpecStore* store);
  // Enables (value != 0) or disables the functions whose attribute code is slot. False for a
  // slot above 4.
  bool SetAttributeFlag(unsigned slot, int value);
  // The stored flag of slots 0 to 4; 0 for any other slot.
  int IsAttributeEnabled(unsigned slot) const;

  // The attached store's title (0) or copyright (1); empty without a store.
  std::string GetDocInfo(int kind) const;
  // Counts of the records copied at Attach (0 before).
  std::uint32_t GetFunctionCount() const;
  std::uint32_t GetStructCount() const;
  // Replaces out with a copy of the record at index; false without a store or past the end.
  bool GetFunction(std::uint32_t index, FunctionSpec& out) const;
  bool GetStruct(std::uint32_t index, StructSpec& out) const;

 protected:
  bool IsAttached() const { return store_ != nullptr; }
  const std::vector<std::unique_ptr<FunctionSpec>>& Functions() const { return functions_; }
  const std::vector<std::unique_ptr<StructSpec>>& Structures() const { return structures_; }

 private:
  const SpecStore* store_ = nullptr;
  std::vector<std::unique_ptr<FunctionSpec>> functions_;
  std::vector<std::unique_ptr<StructSpec>> structures_;
  std::array<int, kFuncAttributeCount> attribute_flags_{};
};

class HtmlExporter : public SpecExporter {
 public:
  ~HtmlExporter() override;

  // Writes the page. False without writing for a null file; a failed write raises FileError
  // (the fragments written before it stay in the file). The caller closes the file.
  bool Write(File* file) override;

 protected:
  // Hands one complete fragment to the file.
  virtual void WriteFragment(File& file, std::string_view fragment);

 private:
  std::string BuildHead() const;
  std::string BuildStructList() const;
  std::string BuildFunctionList() const;
  std::string BuildStructSpecs() const;
  std::string BuildFunctionSpecs() const;
  std::string BuildTail() const;
};

}  // namespace quillmap
