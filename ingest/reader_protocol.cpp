#include "ingest/reader_protocol.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace quillmap::ingest {

namespace {

constexpr std::string_view kRequestTag = "quillmap-c-reader request 1\n";
constexpr std::string_view kResultTag = "quillmap-c-reader result 1\n";

class Writer {
 public:
  explicit Writer(std::string_view tag) : bytes_(tag) {}

  void Number(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<char>(value >> shift));
  }
  void Flag(bool value) { bytes_.push_back(value ? '\1' : '\0'); }
  void Text(std::string_view text) {
    Number(static_cast<std::uint32_t>(text.size()));
    bytes_.append(text);
  }
  void Texts(const std::vector<std::string>& texts) {
    Number(static_cast<std::uint32_t>(texts.size()));
    for (const std::string& text : texts) Text(text);
  }
  void Comment(const CodeComment& comment) {
    Text(comment.text);
    Number(comment.line);
  }
  void Variables(const std::vector<CodeVariable>& variables) {
    Number(static_cast<std::uint32_t>(variables.size()));
    for (const CodeVariable& variable : variables) {
      Text(variable.type);
      Text(variable.name);
      Number(variable.line);
      Comment(variable.comment);
    }
  }

  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

// Reads the fields back; the first field that runs past the end makes every later read fail
// too, so a caller checks ok() once at the end.
class Reader {
 public:
  Reader(std::string_view bytes, std::string_view tag) : bytes_(bytes) {
    ok_ = bytes_.starts_with(tag);
    at_ = tag.size();
  }

  bool ok() const { return ok_ && at_ == bytes_.size(); }

  std::uint32_t Number() {
    if (!Has(4)) return 0;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    }
    at_ += 4;
    return value;
  }
  bool Flag() {
    if (!Has(1)) return false;
    const char value = bytes_[at_++];
    if (value != '\0' && value != '\1') ok_ = false;
    return value == '\1';
  }
  std::string Text() {
    const std::uint32_t size = Number();
    if (!Has(size)) return {};
    std::string text(bytes_.substr(at_, size));
    at_ += size;
    return text;
  }
  // A count of entries each at least min_size bytes long: one that can't fit in what is left
  // fails here, before anything is reserved for it.
  std::uint32_t Count(std::size_t min_size) {
    const std::uint32_t count = Number();
    if (ok_ && count > (bytes_.size() - at_) / min_size) ok_ = false;
    return ok_ ? count : 0;
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts(Count(4));
    for (std::string& text : texts) text = Text();
    return texts;
  }
  CodeComment Comment() {
    CodeComment comment;
    comment.text = Text();
    comment.line = Number();
    return comment;
  }
  std::vector<CodeVariable> Variables() {
    std::vector<CodeVariable> variables(Count(16));
    for (CodeVariable& variable : variables) {
      variable.type = Text();
      variable.name = Text();
      variable.line = Number();
      variable.comment = Comment();
    }
    return variables;
  }

 private:
  bool Has(std::size_t size) {
    if (ok_ && size <= bytes_.size() - at_) return true;
    ok_ = false;
    return false;
  }

  std::string_view bytes_;
  std::size_t at_ = 0;
  bool ok_ = false;
};

}  // namespace

std::string EncodeRequest(const ReadRequest& request) {
  Writer out(kRequestTag);
  out.Texts(request.compiler_args);
  out.Text(request.path);
  out.Flag(request.options.definitions);
  out.Flag(request.options.contents.has_value());
  out.Text(request.options.contents.value_or(""));
  return out.Take();
}

std::optional<ReadRequest> DecodeRequest(std::string_view bytes) {
  Reader in(bytes, kRequestTag);
  ReadRequest request;
  request.compiler_args = in.Texts();
  request.path = in.Text();
  request.options.definitions = in.Flag();
  const bool has_contents = in.Flag();
  std::string contents = in.Text();
  if (has_contents) request.options.contents = std::move(contents);
  if (!in.ok()) return std::nullopt;
  return request;
}

std::string EncodeResult(const ReadResult& result) {
  Writer out(kResultTag);
  out.Flag(result.ok);
  out.Flag(result.unavailable);
  out.Texts(result.errors);
  const CodeFile& file = result.file;
  out.Text(file.path);
  out.Number(static_cast<std::uint32_t>(file.functions.size()));
  for (const CodeFunction& function : file.functions) {
    out.Text(function.name);
    out.Text(function.return_type);
    out.Variables(function.arguments);
    out.Flag(function.is_static);
    out.Flag(function.is_inline);
    out.Number(function.line);
    out.Comment(function.comment);
    out.Flag(function.is_definition);
    out.Number(function.begin_offset);
    out.Flag(function.from_macro);
  }
  out.Number(static_cast<std::uint32_t>(file.structs.size()));
  for (const CodeStruct& record : file.structs) {
    out.Text(record.name);
    out.Texts(record.aliases);
    out.Variables(record.members);
    out.Number(record.line);
    out.Comment(record.comment);
  }
  return out.Take();
}

std::optional<ReadResult> DecodeResult(std::string_view bytes) {
  Reader in(bytes, kResultTag);
  ReadResult result;
  result.ok = in.Flag();
  result.unavailable = in.Flag();
  result.errors = in.Texts();
  CodeFile& file = result.file;
  file.path = in.Text();
  file.functions.resize(in.Count(32));
  for (CodeFunction& function : file.functions) {
    function.name = in.Text();
    function.return_type = in.Text();
    function.arguments = in.Variables();
    function.is_static = in.Flag();
    function.is_inline = in.Flag();
    function.line = in.Number();
    function.comment = in.Comment();
    function.is_definition = in.Flag();
    function.begin_offset = in.Number();
    function.from_macro = in.Flag();
  }
  file.structs.resize(in.Count(24));
  for (CodeStruct& record : file.structs) {
    record.name = in.Text();
    record.aliases = in.Texts();
    record.members = in.Variables();
    record.line = in.Number();
    record.comment = in.Comment();
  }
  if (!in.ok()) return std::nullopt;
  return result;
}

bool ReadToEnd(int fd, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

bool WriteWhole(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace quillmap::ingest
