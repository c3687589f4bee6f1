#include "reader/libclang_reader.h"

#include <clang-c/Index.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <unordered_map>

#include "ingest/c_tokens.h"
#include "ingest/compiler_args.h"
#include "ingest/source_tokens.h"

namespace quillmap::reader {

using namespace ingest;

struct LibclangReader::Index {
  CXIndex index = clang_createIndex(/*excludeDeclarationsFromPCH=*/0, /*displayDiagnostics=*/0);
  ~Index() { clang_disposeIndex(index); }
};

namespace {

std::string Take(CXString text) {
  const char* bytes = clang_getCString(text);
  std::string result = bytes != nullptr ? bytes : "";
  clang_disposeString(text);
  return result;
}

struct FilePlace {
  std::uint32_t line = 0;
  std::uint32_t offset = 0;
};

FilePlace PlaceOf(CXSourceLocation location) {
  unsigned line = 0;
  unsigned offset = 0;
  clang_getExpansionLocation(location, nullptr, &line, nullptr, &offset);
  return {line, offset};
}

// Where the text of a location is written: for a name passed to a macro ("API(foo)"), the
// argument's place rather than the macro's.
std::uint32_t SpellingOffset(CXSourceLocation location) {
  unsigned offset = 0;
  clang_getSpellingLocation(location, nullptr, nullptr, nullptr, &offset);
  return offset;
}

bool IsAnonymousName(const std::string& spelling) {
  return spelling.empty() || spelling.find("(unnamed") != std::string::npos ||
         spelling.find("(anonymous") != std::string::npos;
}

std::size_t MatchingClose(const std::vector<std::string>& texts, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < texts.size(); ++i) {
    if (texts[i] == "(" || texts[i] == "[" || texts[i] == "{") ++depth;
    if ((texts[i] == ")" || texts[i] == "]" || texts[i] == "}") && --depth == 0) return i;
  }
  return texts.size();
}

void Erase(DeclarationTokens& tokens, std::size_t begin, std::size_t end) {
  tokens.texts.erase(tokens.texts.begin() + begin, tokens.texts.begin() + end);
  tokens.offsets.erase(tokens.offsets.begin() + begin, tokens.offsets.begin() + end);
}

// "struct inner { int x; } in": the member's type is "struct inner"; the definition is a
// structure of its own. An anonymous structure keeps its body, the only place it is spelled.
void DropNamedBodies(DeclarationTokens& tokens) {
  for (std::size_t i = 2; i < tokens.texts.size(); ++i) {
    const std::string& keyword = tokens.texts[i - 2];
    if (tokens.texts[i] == "{" && IsWordToken(tokens.texts[i - 1]) &&
        (keyword == "struct" || keyword == "union" || keyword == "enum")) {
      Erase(tokens, i, std::min(MatchingClose(tokens.texts, i) + 1, tokens.texts.size()));
    }
  }
}

// "int a, *b;": the second member's tokens run from "int"; its type is "int*", not "int a, *".
void DropOtherDeclarators(DeclarationTokens& tokens, std::size_t name) {
  std::size_t first_comma = name;
  std::size_t last_comma = name;
  int depth = 0;
  for (std::size_t i = 0; i < name; ++i) {
    const std::string& text = tokens.texts[i];
    if (text == "(" || text == "[" || text == "{") ++depth;
    if (text == ")" || text == "]" || text == "}") --depth;
    if (text == "," && depth == 0) {
      if (first_comma == name) first_comma = i;
      last_comma = i;
    }
  }
  if (first_comma == name) return;
  // The first declarator begins at its first '*' or '(', or else at its name (the word before
  // an array or bit-field suffix).
  std::size_t specifiers_end = first_comma;
  for (std::size_t i = 0; i < first_comma; ++i) {
    if (tokens.texts[i] == "[" || tokens.texts[i] == ":") {
      specifiers_end = i;
      break;
    }
  }
  if (specifiers_end > 0) --specifiers_end;
  for (std::size_t i = 0; i < specifiers_end; ++i) {
    if (tokens.texts[i] == "*" || tokens.texts[i] == "(") {
      specifiers_end = i;
      break;
    }
  }
  Erase(tokens, specifiers_end, last_comma + 1);
}

class FileReader {
 public:
  FileReader(CXTranslationUnit unit, CXFile main_file, SourceTokens tokens, bool definitions)
      : unit_(unit), main_file_(main_file), tokens_(std::move(tokens)), definitions_(definitions) {}

  void Read(CodeFile& file) {
    const CXCursor root = clang_getTranslationUnitCursor(unit_);
    clang_visitChildren(root, &FileReader::VisitMacro, this);
    clang_visitChildren(root, &FileReader::VisitDeclaration, this);
    file.functions = std::move(functions_);
    for (auto& [offset, record] : structs_) {
      std::vector<std::string> aliases = typedefs_[offset];
      if (record.name.empty()) {
        if (aliases.empty()) continue;  // no name to file it under
        record.name = aliases.front();
      }
      std::erase(aliases, record.name);
      record.aliases = std::move(aliases);
      file.structs.push_back(std::move(record));
    }
  }

 private:
  static CXChildVisitResult VisitMacro(CXCursor cursor, CXCursor, CXClientData data) {
    auto* self = static_cast<FileReader*>(data);
    const CXCursorKind kind = clang_getCursorKind(cursor);
    if (kind == CXCursor_MacroDefinition) {
      self->macros_.emplace(Take(clang_getCursorSpelling(cursor)), cursor);
    } else if (kind == CXCursor_MacroExpansion &&
               clang_Location_isFromMainFile(clang_getCursorLocation(cursor))) {
      const CXSourceRange extent = clang_getCursorExtent(cursor);
      std::uint32_t& end = self->expansions_[PlaceOf(clang_getRangeStart(extent)).offset];
      end = std::max(end, PlaceOf(clang_getRangeEnd(extent)).offset);
    }
    return CXChildVisit_Continue;
  }

  // Whether a location's text comes from the main file, directly or through a macro used there:
  // "int API(foo)(int x);" declares foo in the file that writes it.
  bool ExpandedInMainFile(CXSourceLocation location) const {
    CXFile file = nullptr;
    clang_getExpansionLocation(location, &file, nullptr, nullptr, nullptr);
    return file != nullptr && clang_File_isEqual(file, main_file_) != 0;
  }

  static CXChildVisitResult VisitDeclaration(CXCursor cursor, CXCursor, CXClientData data) {
    auto* self = static_cast<FileReader*>(data);
    const CXCursorKind kind = clang_getCursorKind(cursor);
    if (kind == CXCursor_LinkageSpec || kind == CXCursor_UnexposedDecl) {
      return CXChildVisit_Recurse;  // extern "C" { ... }
    }
    const CXSourceLocation location = clang_getCursorLocation(cursor);
    const bool in_main_file = kind == CXCursor_FunctionDecl
                                  ? self->ExpandedInMainFile(location)
                                  : clang_Location_isFromMainFile(location) != 0;
    if (!in_main_file) return CXChildVisit_Continue;
    switch (kind) {
      case CXCursor_FunctionDecl:
        self->AddFunction(cursor);
        return CXChildVisit_Continue;
      case CXCursor_TypedefDecl:
        self->AddTypedef(cursor);
        return CXChildVisit_Continue;
      case CXCursor_StructDecl:
        self->AddStruct(cursor);
        return CXChildVisit_Recurse;  // structures defined inside it
      case CXCursor_UnionDecl:
        return CXChildVisit_Recurse;
      default:
        return CXChildVisit_Continue;
    }
  }

  std::vector<std::string> Spellings(CXSourceRange range) const {
    CXToken* tokens = nullptr;
    unsigned count = 0;
    clang_tokenize(unit_, range, &tokens, &count);
    std::vector<std::string> texts;
    for (unsigned i = 0; i < count; ++i) {
      if (clang_getTokenKind(tokens[i]) != CXToken_Comment) {
        texts.push_back(Take(clang_getTokenSpelling(unit_, tokens[i])));
      }
    }
    clang_disposeTokens(unit_, tokens, count);
    return texts;
  }

  // A macro whose expansion is nothing but storage classes, attributes and such macros.
  bool IsNoiseMacro(std::string_view name) {
    const std::string key(name);
    if (const auto known = noise_.find(key); known != noise_.end()) return known->second;
    const auto macro = macros_.find(key);
    if (macro == macros_.end()) return false;
    noise_[key] = false;  // a macro that names itself is no noise
    const std::vector<std::string> texts = Spellings(clang_getCursorExtent(macro->second));
    std::size_t i = 1;  // after the macro's name
    if (clang_Cursor_isMacroFunctionLike(macro->second) && i < texts.size()) {
      i = MatchingClose(texts, i) + 1;
    }
    bool noise = true;
    while (noise && i < texts.size()) {
      const std::string& text = texts[i];
      const bool group_follows = i + 1 < texts.size() && texts[i + 1] == "(";
      if (IsStorageOrSpecifier(text)) {
        ++i;
      } else if (IsAttributeKeyword(text) || IsNoiseMacro(text)) {
        i = group_follows ? MatchingClose(texts, i + 1) + 1 : i + 1;
      } else if (text == "[" && i + 1 < texts.size() && texts[i + 1] == "[") {
        i = MatchingClose(texts, i) + 1;
      } else {
        noise = false;
      }
    }
    noise_[key] = noise;
    return noise;
  }

  DeclarationTokens Tokens(std::uint32_t begin, std::uint32_t end) const {
    return tokens_.Declaration(begin, end, [this](std::string_view name) {
      return const_cast<FileReader*>(this)->IsNoiseMacro(name);
    });
  }

  CodeVariable Variable(CXCursor cursor, bool member) {
    CodeVariable variable;
    const std::string name = Take(clang_getCursorSpelling(cursor));
    const FilePlace place = PlaceOf(clang_getCursorLocation(cursor));
    const CXSourceRange extent = clang_getCursorExtent(cursor);
    const std::uint32_t end = PlaceOf(clang_getRangeEnd(extent)).offset;
    DeclarationTokens tokens = Tokens(PlaceOf(clang_getRangeStart(extent)).offset, end);
    variable.line = place.line;
    if (member) {
      DropNamedBodies(tokens);
      variable.comment = tokens_.TrailingComment(end);
      if (variable.comment.text.empty()) {
        variable.comment =
            tokens_.LeadingComment(tokens_.IndexAt(PlaceOf(clang_getRangeStart(extent)).offset));
      }
    }
    if (name.empty()) {
      variable.type = JoinTokens(tokens.texts);
      return variable;
    }
    std::size_t index = tokens.IndexOfOffset(place.offset);
    if (index < tokens.texts.size() && tokens.texts[index] == name) {
      if (member) {
        DropOtherDeclarators(tokens, index);
        index = tokens.IndexOfOffset(place.offset);
      }
      Declaration split = SplitDeclaration(tokens.texts, index);
      variable.type = std::move(split.type);
      variable.name = std::move(split.name);
    } else {
      // Spelled through a macro: the compiler's spelling of the type is all there is.
      variable.type = NormalizeType(Take(clang_getTypeSpelling(clang_getCursorType(cursor))));
      variable.name = name;
    }
    return variable;
  }

  void AddFunction(CXCursor cursor) {
    CodeFunction function;
    function.name = Take(clang_getCursorSpelling(cursor));
    const CXSourceRange extent = clang_getCursorExtent(cursor);
    const FilePlace begin = PlaceOf(clang_getRangeStart(extent));
    const std::uint32_t end = PlaceOf(clang_getRangeEnd(extent)).offset;
    const FilePlace name = PlaceOf(clang_getCursorLocation(cursor));
    function.line = name.line;
    function.begin_offset = begin.offset;
    function.is_definition = clang_isCursorDefinition(cursor) != 0 || BodyFollows(end) ||
                             DeclaresArgumentsAfter(cursor, end);
    function.from_macro = FromOneExpansion(begin.offset, end);
    function.comment = tokens_.LeadingComment(tokens_.IndexAt(begin.offset));
    const auto known = function_index_.find(function.name);
    if (!definitions_ && known != function_index_.end()) {
      // Declared again (a definition after a declaration): the first stays, but a comment
      // found only here is still taken.
      CodeFunction& first = functions_[known->second];
      if (first.comment.text.empty()) first.comment = function.comment;
      return;
    }
    function.is_static = clang_Cursor_getStorageClass(cursor) == CX_SC_Static;
    function.is_inline = clang_Cursor_isFunctionInlined(cursor) != 0;

    // The name as written: at its place, or as the argument of a macro ("API(foo)"), after
    // which the parameter list follows the macro's closing parenthesis.
    const std::size_t name_token = tokens_.IndexAt(name.offset);
    std::size_t after_name = kNone;
    if (IsTokenAt(name_token, name.offset, function.name)) {
      after_name = name_token + 1;
    } else if (!function.from_macro) {
      after_name = AfterMacroNaming(name_token, SpellingOffset(clang_getCursorLocation(cursor)),
                                    function.name);
    }
    const DeclarationTokens head = Tokens(begin.offset, name.offset);
    const bool plain_head = std::count(head.texts.begin(), head.texts.end(), "(") ==
                            std::count(head.texts.begin(), head.texts.end(), ")");
    if (after_name != kNone && !head.texts.empty() && plain_head) {
      function.return_type = JoinTokens(head.texts);
    } else {
      // A declaration made by a macro, or a function returning a function pointer.
      function.return_type =
          NormalizeType(Take(clang_getTypeSpelling(clang_getCursorResultType(cursor))));
    }

    const CXType type = clang_getCursorType(cursor);
    const int count = clang_Cursor_getNumArguments(cursor);
    for (int i = 0; i < count; ++i) {
      function.arguments.push_back(
          Variable(clang_Cursor_getArgument(cursor, static_cast<unsigned>(i)), false));
    }
    if (count == 0 && type.kind == CXType_FunctionProto && DeclaresVoid(after_name)) {
      function.arguments.push_back({"void", "", name.line, {}});
    }
    if (type.kind == CXType_FunctionProto && clang_isFunctionTypeVariadic(type)) {
      function.arguments.push_back({"...", "", EllipsisLine(name_token, function.line), {}});
    }
    function_index_.emplace(function.name, functions_.size());
    functions_.push_back(std::move(function));
  }

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  bool IsTokenAt(std::size_t index, std::uint32_t offset, const std::string& text) const {
    return index < tokens_.size() && tokens_[index].offset == offset && tokens_[index].text == text;
  }

  // The index after "MACRO(... name ...)" when the token at macro is a word followed by a
  // parenthesised group that holds the name at name_offset, and a parameter list follows the
  // group; kNone otherwise.
  std::size_t AfterMacroNaming(std::size_t macro, std::uint32_t name_offset,
                               const std::string& name) const {
    std::size_t open = macro + 1;
    while (open < tokens_.size() && tokens_[open].comment) ++open;
    if (macro >= tokens_.size() || !IsWordToken(tokens_[macro].text) || open >= tokens_.size() ||
        tokens_[open].text != "(") {
      return kNone;
    }
    int depth = 0;
    bool holds_name = false;
    for (std::size_t i = open; i < tokens_.size(); ++i) {
      if (tokens_[i].comment) continue;
      const std::string& text = tokens_[i].text;
      holds_name = holds_name || IsTokenAt(i, name_offset, name);
      if (text == "(") ++depth;
      if (text == ")" && --depth == 0) {
        std::size_t next = i + 1;
        while (next < tokens_.size() && tokens_[next].comment) ++next;
        return holds_name && next < tokens_.size() && tokens_[next].text == "(" ? next : kNone;
      }
    }
    return kNone;
  }

  // A definition read without its body: its declaration ends right before the "{".
  bool BodyFollows(std::uint32_t end_offset) const {
    for (std::size_t i = tokens_.IndexAt(end_offset); i < tokens_.size(); ++i) {
      if (!tokens_[i].comment) return tokens_[i].text == "{";
    }
    return false;
  }

  // Arguments declared after the parameter list ("int f(a, b) int a; char *b; {") belong to an
  // old-style definition, whose body then follows those declarations rather than the list.
  static bool DeclaresArgumentsAfter(CXCursor cursor, std::uint32_t end_offset) {
    const int count = clang_Cursor_getNumArguments(cursor);
    for (int i = 0; i < count; ++i) {
      const CXCursor argument = clang_Cursor_getArgument(cursor, static_cast<unsigned>(i));
      if (PlaceOf(clang_getRangeStart(clang_getCursorExtent(argument))).offset >= end_offset) {
        return true;
      }
    }
    return false;
  }

  // Whether one macro's expansion spans the whole declaration ("DECLARE(foo)").
  bool FromOneExpansion(std::uint32_t begin, std::uint32_t end) const {
    const auto expansion = expansions_.find(begin);
    return expansion != expansions_.end() && expansion->second >= end;
  }

  // "f(void)" rather than "f()" (which C++ and C23 also give a prototype).
  // A declaration whose parameter list isn't written in the file (after_name is kNone) has a
  // prototype only as "(void)" in C.
  bool DeclaresVoid(std::size_t after_name) const {
    if (after_name == kNone) return true;
    std::vector<std::string> texts;
    for (std::size_t i = after_name; i < tokens_.size() && texts.size() < 3; ++i) {
      if (!tokens_[i].comment) texts.push_back(tokens_[i].text);
    }
    return texts == std::vector<std::string>{"(", "void", ")"};
  }

  std::uint32_t EllipsisLine(std::size_t name_token, std::uint32_t fallback) const {
    for (std::size_t i = name_token; i < tokens_.size(); ++i) {
      if (tokens_[i].text == "...") return tokens_[i].line;
      if (tokens_[i].text == ";" || tokens_[i].text == "{") break;
    }
    return fallback;
  }

  void AddTypedef(CXCursor cursor) {
    const CXCursor target = clang_getTypeDeclaration(clang_getTypedefDeclUnderlyingType(cursor));
    if (clang_getCursorKind(target) != CXCursor_StructDecl) return;
    typedefs_[PlaceOf(clang_getCursorLocation(target)).offset].push_back(
        Take(clang_getCursorSpelling(cursor)));
  }

  static CXChildVisitResult VisitMember(CXCursor cursor, CXCursor, CXClientData data) {
    auto* context = static_cast<std::pair<FileReader*, std::vector<CodeVariable>*>*>(data);
    const CXCursorKind kind = clang_getCursorKind(cursor);
    if (kind == CXCursor_FieldDecl) {
      context->second->push_back(context->first->Variable(cursor, true));
    } else if ((kind == CXCursor_StructDecl || kind == CXCursor_UnionDecl) &&
               clang_Cursor_isAnonymousRecordDecl(cursor)) {
      // "struct { int a; int b; };" inside a structure: its members are the structure's own.
      clang_visitChildren(cursor, &FileReader::VisitMember, data);
    }
    return CXChildVisit_Continue;
  }

  void AddStruct(CXCursor cursor) {
    if (!clang_isCursorDefinition(cursor)) return;
    const FilePlace place = PlaceOf(clang_getCursorLocation(cursor));
    if (!seen_structs_.insert(place.offset).second) return;
    CodeStruct record;
    const std::string spelling = Take(clang_getCursorSpelling(cursor));
    if (!IsAnonymousName(spelling)) record.name = spelling;
    record.line = place.line;
    record.comment = tokens_.LeadingComment(
        tokens_.IndexAt(PlaceOf(clang_getRangeStart(clang_getCursorExtent(cursor))).offset));
    std::pair<FileReader*, std::vector<CodeVariable>*> context(this, &record.members);
    clang_visitChildren(cursor, &FileReader::VisitMember, &context);
    structs_.emplace_back(place.offset, std::move(record));
  }

  CXTranslationUnit unit_;
  CXFile main_file_;
  SourceTokens tokens_;
  bool definitions_;
  std::map<std::uint32_t, std::uint32_t> expansions_;  // macro uses in the file: begin -> end
  std::unordered_map<std::string, CXCursor> macros_;
  std::unordered_map<std::string, bool> noise_;
  std::vector<CodeFunction> functions_;
  std::unordered_map<std::string, std::size_t> function_index_;
  std::vector<std::pair<std::uint32_t, CodeStruct>> structs_;
  std::set<std::uint32_t> seen_structs_;
  std::map<std::uint32_t, std::vector<std::string>> typedefs_;
};

// Every token of the file, comments included.
std::vector<SourceToken> FileTokens(CXTranslationUnit unit, CXFile file) {
  std::size_t size = 0;
  clang_getFileContents(unit, file, &size);
  const CXSourceRange range =
      clang_getRange(clang_getLocationForOffset(unit, file, 0),
                     clang_getLocationForOffset(unit, file, static_cast<unsigned>(size)));
  CXToken* tokens = nullptr;
  unsigned count = 0;
  clang_tokenize(unit, range, &tokens, &count);
  std::vector<SourceToken> result;
  result.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    SourceToken token;
    token.text = Take(clang_getTokenSpelling(unit, tokens[i]));
    unsigned line = 0;
    unsigned offset = 0;
    clang_getSpellingLocation(clang_getTokenLocation(unit, tokens[i]), nullptr, &line, nullptr,
                              &offset);
    token.line = line;
    token.offset = offset;
    token.comment = clang_getTokenKind(tokens[i]) == CXToken_Comment;
    result.push_back(std::move(token));
  }
  clang_disposeTokens(unit, tokens, count);
  return result;
}

// The files clang brings along itself (Debian: libclang-common-N-dev) rather than the C library:
// without them most headers can't be read, and the compiler's message doesn't say why.
bool NamesMissingClangHeader(const std::string& error) {
  for (const char* header :
       {"'stddef.h' file not found", "'stdarg.h' file not found", "'stdbool.h' file not found",
        "'float.h' file not found", "'limits.h' file not found"}) {
    if (error.find(header) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

LibclangReader::LibclangReader(const std::vector<std::string>& compiler_args)
    : index_(std::make_unique<Index>()), args_(ReaderCompilerArgs(compiler_args)) {}

LibclangReader::~LibclangReader() = default;

ReadResult LibclangReader::Read(const std::string& path, const ReadOptions& options) const {
  ReadResult result;
  result.file.path = path;
  if (options.contents) {
    // Read from memory: the file need not exist.
  } else if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::fclose(file);
  } else {
    result.errors.push_back(path + ": " + std::strerror(errno));
    return result;
  }
  std::vector<const char*> args;
  for (const std::string& arg : args_) args.push_back(arg.c_str());
  CXUnsavedFile unsaved{path.c_str(), nullptr, 0};
  if (options.contents) {
    unsaved.Contents = options.contents->data();
    unsaved.Length = static_cast<unsigned long>(options.contents->size());
  }
  CXTranslationUnit unit = nullptr;
  const CXErrorCode code = clang_parseTranslationUnit2(
      index_->index, path.c_str(), args.data(), static_cast<int>(args.size()),
      options.contents ? &unsaved : nullptr, options.contents ? 1 : 0,
      CXTranslationUnit_SkipFunctionBodies | CXTranslationUnit_DetailedPreprocessingRecord, &unit);
  if (code != CXError_Success || unit == nullptr) {
    result.errors.push_back(path + ": libclang could not read the file (error " +
                            std::to_string(static_cast<int>(code)) + ")");
    return result;
  }
  const unsigned diagnostics = clang_getNumDiagnostics(unit);
  bool clang_headers_missing = false;
  for (unsigned i = 0; i < diagnostics; ++i) {
    const CXDiagnostic diagnostic = clang_getDiagnostic(unit, i);
    if (clang_getDiagnosticSeverity(diagnostic) >= CXDiagnostic_Error) {
      result.errors.push_back(Take(clang_formatDiagnostic(
          diagnostic, CXDiagnostic_DisplaySourceLocation | CXDiagnostic_DisplayColumn)));
      clang_headers_missing =
          clang_headers_missing || NamesMissingClangHeader(result.errors.back());
    }
    clang_disposeDiagnostic(diagnostic);
  }
  if (clang_headers_missing) {
    result.errors.push_back(path + ": clang's own headers are missing: install " +
                            QUILLMAP_LIBCLANG_HEADERS_PACKAGE);
  }
  if (result.errors.empty()) {
    const CXFile file = clang_getFile(unit, path.c_str());
    FileReader reader(unit, file, SourceTokens(FileTokens(unit, file)), options.definitions);
    reader.Read(result.file);
    result.ok = true;
  }
  clang_disposeTranslationUnit(unit);
  return result;
}

}  // namespace quillmap::reader
