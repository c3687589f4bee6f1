#include "ingest/import_records.h"

#include <algorithm>
#include <cstdio>

#include "core/edit/document_edits.h"
#include "core/model/spec_store.h"
#include "core/parse/add_function.h"
#include "core/text/sjis.h"
#include "ingest/doc_comment.h"

namespace quillmap::ingest {

namespace {

// Converts the texts of one record to Shift-JIS; the first text that can't be converted makes
// the record fail, with the file line of the character at fault.
class RecordText {
 public:
  explicit RecordText(const std::string& path) : path_(path) {}

  bool failed() const { return failed_; }

  // The text as UTF-8: as it is, or decoded when it is Shift-JIS.
  std::string Utf8(std::string_view text, std::uint32_t line) {
    if (failed_) return {};
    const text::EncodeResult encoded = text::Utf8ToSjis(text);
    if (encoded.ok || !encoded.malformed) return std::string(text);
    std::string decoded = text::SjisToUtf8(text);
    // Bytes that are no Shift-JIS either decode to the private-use code points U+F780..U+F7FF
    // (UTF-8 EF 9E xx and EF 9F xx).
    if (decoded.find("\xEF\x9E") == std::string::npos &&
        decoded.find("\xEF\x9F") == std::string::npos) {
      return decoded;
    }
    Fail(text, encoded.bad_offset, line, "the text is neither UTF-8 nor Shift-JIS");
    return {};
  }

  std::string Sjis(std::string_view text, std::uint32_t line) {
    const std::string utf8 = Utf8(text, line);
    if (failed_) return {};
    text::EncodeResult encoded = text::Utf8ToSjis(utf8);
    if (encoded.ok) return std::move(encoded.bytes);
    const std::size_t length = CharLength(utf8, encoded.bad_offset);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(encoded.bad_char));
    Fail(utf8, encoded.bad_offset, line,
         std::string("Shift-JIS can't hold the character ") + code + " '" +
             utf8.substr(encoded.bad_offset, length) + "'");
    return {};
  }

  Finding Problem(const std::string& record) const {
    Finding finding = problem_;
    finding.message += "; " + record + " is not added";
    return finding;
  }

 private:
  static std::size_t CharLength(std::string_view utf8, std::size_t offset) {
    std::size_t end = offset + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    return end - offset;
  }

  void Fail(std::string_view text, std::size_t offset, std::uint32_t line, std::string message) {
    failed_ = true;
    offset = std::min(offset, text.size());
    problem_ = {
        path_,
        line + static_cast<std::uint32_t>(std::count(text.begin(), text.begin() + offset, '\n')),
        std::move(message)};
  }

  const std::string& path_;
  bool failed_ = false;
  Finding problem_;
};

std::string Signature(const CodeFunction& function) {
  std::string text = function.return_type + " " + function.name + "(";
  for (std::size_t i = 0; i < function.arguments.size(); ++i) {
    const CodeVariable& argument = function.arguments[i];
    if (i > 0) text += ", ";
    text += argument.type;
    if (!argument.name.empty()) text += " " + argument.name;
  }
  return text + ")";
}

// Heading and explanation from the documentation comment, when there is one.
template <typename Record>
void SetComment(const CodeComment& comment, RecordText& texts, Record& record) {
  if (comment.text.empty()) return;
  // Converted whole first, so that a character at fault is reported on its own line.
  texts.Sjis(comment.text, comment.line);
  const HeadingSplit split = SplitHeading(texts.Utf8(comment.text, comment.line));
  if (texts.failed()) return;
  if (!split.heading.empty()) record.SetIndex(texts.Sjis(split.heading, comment.line));
  record.SetExplanation(texts.Sjis(split.explanation, comment.line));
}

void ImportFunction(SpecStore& store, const std::string& path, const CodeFunction& function,
                    std::time_t date, const std::string& history_comment, ImportSummary& summary) {
  RecordText texts(path);
  FunctionParts parts;
  parts.name = texts.Sjis(function.name, function.line);
  if (!texts.failed() && store.FindFunction(parts.name) >= 0) {
    ++summary.functions_present;
    return;
  }
  parts.return_type = texts.Sjis(function.return_type, function.line);
  // Unnamed arguments are named as the editor names them: "argv" and their position, up to a
  // nameless "void".
  bool naming = true;
  for (std::size_t i = 0; i < function.arguments.size(); ++i) {
    const CodeVariable& argument = function.arguments[i];
    auto& [type, name] = parts.arguments.emplace_back(texts.Sjis(argument.type, argument.line),
                                                      texts.Sjis(argument.name, argument.line));
    if (!name.empty() || !naming) continue;
    if (type == "void") {
      naming = false;
    } else {
      name = "argv" + std::to_string(i);
    }
  }
  FunctionSpec record;
  BuildNewFunction(parts, date, history_comment, record);
  SetComment(function.comment, texts, record);
  if (function.is_inline) {
    record.SetAttribute(kAttrInline);
  } else if (function.is_static) {
    record.SetAttribute(kAttrStatic);
  }
  const std::string what = "function '" + function.name + "'";
  if (texts.failed()) {
    summary.skipped.push_back(texts.Problem(what));
  } else if (const AddFunctionResult added = AppendNewFunction(store, record);
             added != AddFunctionResult::kAdded) {
    summary.skipped.push_back(
        {path, function.line,
         (added == AddFunctionResult::kNoName ? "the function has no name; "
                                              : "the document can hold no more functions; ") +
             what + " is not added"});
  } else {
    ++summary.functions_added;
    summary.added.push_back({path, function.line, "function '" + Signature(function) + "'"});
  }
}

void ImportStruct(SpecStore& store, const std::string& path, const CodeStruct& structure,
                  ImportSummary& summary) {
  RecordText texts(path);
  const std::string name = texts.Sjis(structure.name, structure.line);
  if (!texts.failed() && store.FindStruct(name) >= 0) {
    ++summary.structs_present;
    return;
  }
  StructSpec record;
  record.SetRecordName(name);
  SetComment(structure.comment, texts, record);
  for (const CodeVariable& member : structure.members) {
    const std::string description = JoinLines(texts.Utf8(member.comment.text, member.comment.line));
    record.AddMember(texts.Sjis(member.type, member.line), texts.Sjis(member.name, member.line),
                     texts.Sjis(description, member.comment.line));
  }
  const std::string what = "structure '" + structure.name + "'";
  if (texts.failed()) {
    summary.skipped.push_back(texts.Problem(what));
    return;
  }
  // Added by the editor's rules (core/edit); a taken name was counted as present above.
  const edit::Status status = edit::AddStruct(store, record).status;
  if (status != edit::Status::kDone) {
    summary.skipped.push_back(
        {path, structure.line,
         (status == edit::Status::kNoName ? "the structure has no name; "
                                          : "the document can hold no more structures; ") +
             what + " is not added"});
    return;
  }
  ++summary.structs_added;
  const std::size_t members = structure.members.size();
  summary.added.push_back(
      {path, structure.line,
       what + " (" + std::to_string(members) + (members == 1 ? " member)" : " members)")});
}

}  // namespace

ImportSummary ImportDeclarations(SpecStore& store, const std::vector<CodeFile>& files,
                                 std::time_t date, const std::string& history_comment) {
  ImportSummary summary;
  for (const CodeFile& file : files) {
    for (const CodeFunction& function : file.functions) {
      ImportFunction(store, file.path, function, date, history_comment, summary);
    }
    for (const CodeStruct& structure : file.structs) {
      ImportStruct(store, file.path, structure, summary);
    }
  }
  return summary;
}

}  // namespace quillmap::ingest
