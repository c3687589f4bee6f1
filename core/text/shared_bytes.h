#pragma once
// SharedBytes: a text's bytes either held as a string of their own or viewed inside a larger
// block that someone else owns (a loaded file's bytes), which a share of its owner keeps alive.
// A control that shows a record's text can then keep the whole text without a copy of it.

#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace quillmap::text {

class SharedBytes {
 public:
  SharedBytes() = default;
  explicit SharedBytes(std::string_view own) : own_(own) {}
  explicit SharedBytes(std::string&& own) : own_(std::move(own)) {}
  // Views bytes inside what owner keeps alive.
  SharedBytes(std::shared_ptr<const void> owner, std::string_view view)
      : owner_(std::move(owner)), view_(view) {}

  std::string_view view() const { return owner_ ? view_ : std::string_view(own_); }
  std::size_t size() const { return view().size(); }
  bool empty() const { return view().empty(); }

 private:
  std::string own_;
  std::shared_ptr<const void> owner_;
  std::string_view view_;
};

}  // namespace quillmap::text
