#include "ingest/check_report.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"
#include "ingest/c_tokens.h"

namespace quillmap::ingest {

namespace {

using text::SjisToUtf8;

// An argument or member as the document holds it, in UTF-8.
struct Variable {
  std::string type;
  std::string name;
};

std::string Display(const std::string& type, const std::string& name) {
  return name.empty() ? type : type + " " + name;
}

// "f(void)" declares no argument, however it is written down.
template <typename List>
void DropLoneVoid(List& list) {
  if (list.size() == 1 && NormalizeType(list[0].type) == "void" && list[0].name.empty()) {
    list.clear();
  }
}

// Whether a variable of the code matches one of the document. An unnamed argument of the code
// matches any name.
bool SameVariable(const CodeVariable& code, const Variable& document) {
  const Declaration left = CanonicalDeclaration(code.type, code.name);
  const Declaration right = CanonicalDeclaration(document.type, document.name);
  return left.type == right.type && (code.name.empty() || left.name == right.name);
}

// Compares two lists of variables: a count line when the counts differ, else one line per
// variable that differs. what is "function 'f'" or "structure 's'".
void CompareVariables(const std::string& path, std::uint32_t line, const std::string& what,
                      const char* noun, std::vector<CodeVariable> code,
                      std::vector<Variable> document, std::vector<Finding>& findings) {
  DropLoneVoid(code);
  DropLoneVoid(document);
  if (code.size() != document.size()) {
    findings.push_back({path, line,
                        what + " has " + std::to_string(code.size()) + " " + noun +
                            "s but the document lists " + std::to_string(document.size())});
    return;
  }
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (SameVariable(code[i], document[i])) continue;
    findings.push_back({path, code[i].line,
                        what + " " + noun + " " + std::to_string(i + 1) + " is '" +
                            Display(code[i].type, code[i].name) + "' but the document says '" +
                            Display(document[i].type, document[i].name) + "'"});
  }
}

void CompareFunction(const std::string& path, const CodeFunction& code,
                     const FunctionSpec& document, std::vector<Finding>& findings) {
  const std::string what = "function '" + code.name + "'";
  const std::string return_type = SjisToUtf8(document.GetReturnType());
  if (NormalizeType(code.return_type) != NormalizeType(return_type)) {
    findings.push_back(
        {path, code.line,
         what + " returns '" + code.return_type + "' but the document says '" + return_type + "'"});
  }
  std::vector<Variable> arguments(document.GetArgumentCount());
  for (std::uint32_t i = 0; i < arguments.size(); ++i) {
    std::string type, name, description;
    document.GetArgument(i, type, name, description);
    arguments[i] = {SjisToUtf8(type), SjisToUtf8(name)};
  }
  CompareVariables(path, code.line, what, "argument", code.arguments, std::move(arguments),
                   findings);
}

void CompareStruct(const std::string& path, const CodeStruct& code, const StructSpec& document,
                   std::vector<Finding>& findings) {
  std::vector<Variable> members(document.GetMemberCount());
  for (std::uint32_t i = 0; i < members.size(); ++i) {
    std::string type, name, description;
    document.GetMember(i, type, name, description);
    members[i] = {SjisToUtf8(type), SjisToUtf8(name)};
  }
  CompareVariables(path, code.line, "structure '" + code.name + "'", "member", code.members,
                   std::move(members), findings);
}

// The index of the record named name (UTF-8) in the document, or -1.
template <typename Find>
std::int32_t FindByName(const std::string& name, Find find) {
  const text::EncodeResult sjis = text::Utf8ToSjis(name);
  return sjis.ok ? find(sjis.bytes) : -1;
}

// The records of the document that no declaration matched, at the document's line 0.
template <typename Record>
void ReportUnmatched(const char* noun, std::uint32_t count,
                     bool (SpecStore::*get)(std::int32_t, Record&) const, const SpecStore& store,
                     const std::set<std::int32_t>& matched, const std::string& document_path,
                     std::vector<Finding>& findings) {
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(count); ++i) {
    if (matched.contains(i)) continue;
    Record record;
    (store.*get)(i, record);
    findings.push_back({document_path, 0,
                        std::string(noun) + " '" + SjisToUtf8(record.GetRecordName()) +
                            "' of the document is not in the code"});
  }
}

}  // namespace

std::vector<Finding> CheckDocument(const SpecStore& store, const std::string& document_path,
                                   const std::vector<CodeFile>& files) {
  std::vector<Finding> findings;
  std::set<std::int32_t> matched_functions;
  std::set<std::int32_t> matched_structs;
  std::set<std::string> seen_functions;
  std::set<std::string> seen_structs;
  for (const CodeFile& file : files) {
    std::vector<Finding> file_findings;
    for (const CodeFunction& function : file.functions) {
      if (!seen_functions.insert(function.name).second) continue;
      const std::int32_t index = FindByName(
          function.name, [&](const std::string& name) { return store.FindFunction(name); });
      if (index < 0) {
        file_findings.push_back(
            {file.path, function.line, "function '" + function.name + "' is not in the document"});
        continue;
      }
      matched_functions.insert(index);
      FunctionSpec record;
      store.GetFunction(index, record);
      CompareFunction(file.path, function, record, file_findings);
    }
    for (const CodeStruct& structure : file.structs) {
      if (!seen_structs.insert(structure.name).second) continue;
      // The document may file a structure under one of its typedef names.
      const auto find = [&](const std::string& name) {
        return FindByName(name, [&](const std::string& sjis) { return store.FindStruct(sjis); });
      };
      std::int32_t index = find(structure.name);
      for (const std::string& alias : structure.aliases) {
        if (index < 0) index = find(alias);
      }
      if (index < 0) {
        file_findings.push_back({file.path, structure.line,
                                 "structure '" + structure.name + "' is not in the document"});
        continue;
      }
      matched_structs.insert(index);
      StructSpec record;
      store.GetStruct(index, record);
      CompareStruct(file.path, structure, record, file_findings);
    }
    std::stable_sort(file_findings.begin(), file_findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    findings.insert(findings.end(), file_findings.begin(), file_findings.end());
  }
  ReportUnmatched<FunctionSpec>("function", store.GetFunctionCount(), &SpecStore::GetFunction,
                                store, matched_functions, document_path, findings);
  ReportUnmatched<StructSpec>("structure", store.GetStructCount(), &SpecStore::GetStruct, store,
                              matched_structs, document_path, findings);
  return findings;
}

}  // namespace quillmap::ingest
