// The edit operations on a document: their rules, their effects, and undoing and redoing them
// back to the exact bytes of the file.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/edit/document_edits.h"
#include "core/model/history.h"
#include "core/model/spec_store.h"
#include "core/text/sjis.h"
#include "tests/core/model/test_bytes.h"

namespace quillmap {
namespace {

using edit::Status;
using testing::LoadFromBytes;
using testing::SaveToBytes;

// A document of count functions (f0, f1, ... with two arguments each) and two structures,
// read back from its bytes so that its records are borrowed from the file as in the editor.
std::string DocumentBytes(int count) {
  SpecStore store;
  for (int i = 0; i < count; ++i) {
    const std::string prototype = "int f" + std::to_string(i) + "(int a, char *b)";
    EXPECT_TRUE(edit::AddFunctionFromPrototype(store, prototype, 0, "c").done());
  }
  for (const char* name : {"POINT", "RECT"}) {
    StructSpec record;
    record.SetRecordName(name);
    record.AddMember("int", "x", "x");
    EXPECT_TRUE(edit::AddStruct(store, record).done());
  }
  return SaveToBytes(store);
}

void Load(SpecStore& store, const std::string& bytes) {
  ASSERT_TRUE(LoadFromBytes(store, bytes));
}

std::vector<std::string> FunctionNames(const SpecStore& store) {
  std::vector<std::string> names;
  for (std::uint32_t i = 0; i < store.GetFunctionCount(); ++i) {
    names.push_back(store.GetFunctionName(static_cast<std::int32_t>(i)));
  }
  return names;
}

FunctionFields FieldsAt(const SpecStore& store, std::int32_t index) {
  FunctionSpec record;
  EXPECT_TRUE(store.GetFunction(index, record));
  return ReadFunctionFields(record);
}

TEST(EditNameRules, FunctionAndStructureNamesAreCheckedAlike) {
  SpecStore store;
  Load(store, DocumentBytes(2));
  struct Case {
    const char* what;
    std::function<edit::Result(SpecStore&)> run;
    Status expected;
  };
  const std::vector<Case> cases = {
      {"add blank prototype",
       [](SpecStore& s) { return edit::AddFunctionFromPrototype(s, "   ", 0, "c"); },
       Status::kNoName},
      {"add empty prototype",
       [](SpecStore& s) { return edit::AddFunctionFromPrototype(s, "", 0, "c"); }, Status::kNoName},
      {"add punctuation",
       [](SpecStore& s) { return edit::AddFunctionFromPrototype(s, "( )", 0, "c"); },
       Status::kNoName},
      {"add taken",
       [](SpecStore& s) { return edit::AddFunctionFromPrototype(s, "void f1(void)", 0, "c"); },
       Status::kNameTaken},
      {"rename to own name", [](SpecStore& s) { return edit::RenameFunction(s, 0, "f0"); },
       Status::kNameTaken},
      {"rename to other's", [](SpecStore& s) { return edit::RenameFunction(s, 0, "f1"); },
       Status::kNameTaken},
      {"rename to empty", [](SpecStore& s) { return edit::RenameFunction(s, 0, ""); },
       Status::kNoName},
      {"rename to blanks", [](SpecStore& s) { return edit::RenameFunction(s, 0, " \t"); },
       Status::kNoName},
      {"rename missing", [](SpecStore& s) { return edit::RenameFunction(s, 9, "g"); },
       Status::kNotFound},
      {"delete missing", [](SpecStore& s) { return edit::DeleteFunction(s, -1); },
       Status::kNotFound},
      {"copy missing", [](SpecStore& s) { return edit::CopyFunction(s, 2); }, Status::kNotFound},
      {"add struct taken",
       [](SpecStore& s) {
         StructSpec r;
         r.SetRecordName("RECT");
         return edit::AddStruct(s, r);
       },
       Status::kNameTaken},
      {"add struct blank",
       [](SpecStore& s) {
         StructSpec r;
         r.SetRecordName(" ");
         return edit::AddStruct(s, r);
       },
       Status::kNoName},
      {"rename struct to own", [](SpecStore& s) { return edit::RenameStruct(s, 1, "RECT"); },
       Status::kNameTaken},
      {"rename struct to empty", [](SpecStore& s) { return edit::RenameStruct(s, 1, ""); },
       Status::kNoName},
      {"struct dialog takes other's name",
       [](SpecStore& s) {
         StructFields f;
         f.name = "POINT";
         return edit::StoreStruct(s, 1, f);
       },
       Status::kNameTaken},
      {"struct dialog clears the name",
       [](SpecStore& s) {
         StructFields f;
         return edit::StoreStruct(s, 1, f);
       },
       Status::kNoName},
      {"argument edit without name",
       [](SpecStore& s) {
         return edit::EditArgument(s, 0, 0, {"int", "", "d"});
       },
       Status::kNoName},
      {"argument row missing", [](SpecStore& s) { return edit::DeleteArgument(s, 0, 2); },
       Status::kNotFound},
      {"store under another name",
       [](SpecStore& s) {
         FunctionFields f = FieldsAt(s, 0);
         f.name = "g";
         return edit::StoreFunction(s, 0, f);
       },
       Status::kNotFound},
      {"store the same texts",
       [](SpecStore& s) { return edit::StoreFunction(s, 1, FieldsAt(s, 1)); }, Status::kUnchanged},
      {"struct dialog unchanged",
       [](SpecStore& s) {
         StructSpec r;
         s.GetStruct(0, r);
         return edit::StoreStruct(s, 0, ReadStructFields(r));
       },
       Status::kUnchanged},
      {"doc info unchanged", [](SpecStore& s) { return edit::SetDocInfo(s, "title", "Copyright"); },
       Status::kUnchanged},
  };
  const std::string before = SaveToBytes(store);
  for (const Case& c : cases) {
    const edit::Result result = c.run(store);
    EXPECT_EQ(result.status, c.expected) << c.what;
    EXPECT_TRUE(result.step.empty()) << c.what;
    EXPECT_EQ(SaveToBytes(store), before) << c.what << ": a refused edit changed the document";
  }
}

TEST(EditEffects, EachOperationChangesWhatItNamesAndUndoesToTheSameBytes) {
  struct Case {
    const char* what;
    std::function<edit::Result(SpecStore&)> run;
    std::function<void(const SpecStore&, const edit::Result&)> check;
  };
  const std::vector<Case> cases = {
      {"add from prototype",
       [](SpecStore& s) {
         return edit::AddFunctionFromPrototype(s, "char *dup(const char *s)", 0, "c");
       },
       [](const SpecStore& s, const edit::Result& r) {
         EXPECT_EQ(r.index, 3);
         const FunctionFields f = FieldsAt(s, 3);
         EXPECT_EQ(f.name, "dup");
         EXPECT_EQ(f.return_type, "char*");
         ASSERT_EQ(f.arguments.size(), 1u);
         EXPECT_EQ(f.arguments[0].description, "'const char*' type");
       }},
      {"copy takes the smallest free number", [](SpecStore& s) { return edit::CopyFunction(s, 1); },
       [](const SpecStore& s, const edit::Result& r) {
         EXPECT_EQ(FunctionNames(s), (std::vector<std::string>{"f0", "f1", "f2", "f11"}));
         FunctionFields copy = FieldsAt(s, r.index);
         copy.name = "f1";
         EXPECT_EQ(copy, FieldsAt(s, 1));
       }},
      {"rename keeps the other fields",
       [](SpecStore& s) { return edit::RenameFunction(s, 1, "g"); },
       [](const SpecStore& s, const edit::Result& r) {
         EXPECT_EQ(r.step.name(), "g");
         EXPECT_EQ(FunctionNames(s), (std::vector<std::string>{"f0", "g", "f2"}));
         EXPECT_EQ(FieldsAt(s, 1).heading, "function 'f1'");
       }},
      {"delete", [](SpecStore& s) { return edit::DeleteFunction(s, 0); },
       [](const SpecStore& s, const edit::Result& r) {
         EXPECT_EQ(r.step.name(), "f0");
         EXPECT_EQ(FunctionNames(s), (std::vector<std::string>{"f1", "f2"}));
       }},
      {"add argument counts the rows", [](SpecStore& s) { return edit::AddArgument(s, 2); },
       [](const SpecStore& s, const edit::Result&) {
         const FunctionFields f = FieldsAt(s, 2);
         ASSERT_EQ(f.arguments.size(), 3u);
         EXPECT_EQ(f.arguments[2], (ArgumentTexts{"argv2", "value ", "comment"}));
       }},
      {"copy argument goes last", [](SpecStore& s) { return edit::CopyArgument(s, 2, 0); },
       [](const SpecStore& s, const edit::Result&) {
         const FunctionFields f = FieldsAt(s, 2);
         ASSERT_EQ(f.arguments.size(), 3u);
         EXPECT_EQ(f.arguments[2], f.arguments[0]);
       }},
      {"delete argument", [](SpecStore& s) { return edit::DeleteArgument(s, 2, 0); },
       [](const SpecStore& s, const edit::Result&) {
         const FunctionFields f = FieldsAt(s, 2);
         ASSERT_EQ(f.arguments.size(), 1u);
         EXPECT_EQ(f.arguments[0].name, "b");
       }},
      {"edit argument",
       [](SpecStore& s) {
         return edit::EditArgument(s, 2, 1, {"", "n", ""});
       },
       [](const SpecStore& s, const edit::Result&) {
         EXPECT_EQ(FieldsAt(s, 2).arguments[1], (ArgumentTexts{"", "n", ""}));
       }},
      {"history newest first",
       [](SpecStore& s) {
         return edit::SetHistory(s, 0,
                                 {{LocalMidnight(2001, 1, 2), "a"},
                                  {LocalMidnight(2003, 1, 1), "b"},
                                  {LocalMidnight(2002, 5, 5), "c"}});
       },
       [](const SpecStore& s, const edit::Result&) {
         const FunctionFields f = FieldsAt(s, 0);
         ASSERT_EQ(f.history.size(), 3u);
         EXPECT_EQ(f.history[0].comment + f.history[1].comment + f.history[2].comment, "bca");
       }},
      {"related",
       [](SpecStore& s) {
         return edit::SetRelated(s, 0, {"f2", "gone"});
       },
       [](const SpecStore& s, const edit::Result&) {
         EXPECT_EQ(FieldsAt(s, 0).links, (std::vector<std::string>{"f2", "gone"}));
       }},
      {"store a field",
       [](SpecStore& s) {
         FunctionFields f = FieldsAt(s, 1);
         f.note = text::Sjis("備考");
         return edit::StoreFunction(s, 1, f);
       },
       [](const SpecStore& s, const edit::Result&) {
         EXPECT_EQ(FieldsAt(s, 1).note, text::Sjis("備考"));
       }},
      {"copy structure", [](SpecStore& s) { return edit::CopyStruct(s, 0); },
       [](const SpecStore& s, const edit::Result& r) {
         EXPECT_EQ(s.GetStructName(r.index), "POINT1");
       }},
      {"structure dialog renames",
       [](SpecStore& s) {
         StructFields f;
         f.name = "SIZE";
         f.members.push_back(NewMember());
         return edit::StoreStruct(s, 1, f);
       },
       [](const SpecStore& s, const edit::Result&) {
         StructSpec r;
         ASSERT_TRUE(s.GetStruct(1, r));
         EXPECT_EQ(r.GetRecordName(), "SIZE");
         EXPECT_EQ(r.GetMemberCount(), 1u);
       }},
      {"delete structure", [](SpecStore& s) { return edit::DeleteStruct(s, 0); },
       [](const SpecStore& s, const edit::Result&) { EXPECT_EQ(s.GetStructName(0), "RECT"); }},
      {"document information", [](SpecStore& s) { return edit::SetDocInfo(s, "T", "C"); },
       [](const SpecStore& s, const edit::Result&) {
         EXPECT_EQ(s.GetDocInfo(kDocInfoTitle), "T");
         EXPECT_EQ(s.GetDocInfo(kDocInfoCopyright), "C");
       }},
  };
  const std::string original = DocumentBytes(3);
  for (const Case& c : cases) {
    SpecStore store;
    Load(store, original);
    edit::Result result = c.run(store);
    ASSERT_EQ(result.status, Status::kDone) << c.what;
    c.check(store, result);
    const std::string after = SaveToBytes(store);
    ASSERT_TRUE(result.step.Undo(store)) << c.what;
    EXPECT_EQ(SaveToBytes(store), original) << c.what;
    EXPECT_FALSE(result.step.Undo(store)) << c.what << ": undone twice";
    ASSERT_TRUE(result.step.Redo(store)) << c.what;
    EXPECT_EQ(SaveToBytes(store), after) << c.what;
  }
}

// One operation of the random sequence, chosen among all kinds with arguments that are mostly
// valid (refusals are part of the mix).
edit::Result RandomEdit(SpecStore& store, std::mt19937& random, int serial) {
  auto pick = [&](std::uint32_t count) {
    return static_cast<std::int32_t>(count == 0 ? 0 : random() % (count + 1)) - (count == 0);
  };
  const std::int32_t f = pick(store.GetFunctionCount());
  const std::int32_t s = pick(store.GetStructCount());
  const std::string fresh = "n" + std::to_string(serial);
  switch (random() % 16) {
    case 0:
      return edit::AddFunctionFromPrototype(store, "long " + fresh + "(int x)", 86400 * serial,
                                            "c");
    case 1:
      return edit::CopyFunction(store, f);
    case 2:
      return edit::RenameFunction(store, f, fresh);
    case 3:
      return edit::DeleteFunction(store, f);
    case 4: {
      FunctionSpec record;
      if (!store.GetFunction(f, record)) return {};
      FunctionFields fields = ReadFunctionFields(record);
      (serial % 2 ? fields.explanation : fields.heading) = text::Sjis("説明") + fresh;
      fields.attribute = serial % kFuncAttributeCount;
      return edit::StoreFunction(store, f, fields);
    }
    case 5:
      return edit::AddArgument(store, f);
    case 6:
      return edit::CopyArgument(store, f, random() % 3);
    case 7:
      return edit::DeleteArgument(store, f, random() % 3);
    case 8:
      return edit::EditArgument(store, f, random() % 3, {"T", fresh, ""});
    case 9:
      return edit::SetRelated(store, f, {fresh});
    case 10:
      return edit::SetHistory(store, f, {{86400 * serial, fresh}});
    case 11: {
      StructSpec record;
      record.SetRecordName(fresh);
      return edit::AddStruct(store, record);
    }
    case 12:
      return edit::CopyStruct(store, s);
    case 13:
      return serial % 2 ? edit::RenameStruct(store, s, fresh) : edit::DeleteStruct(store, s);
    case 14: {
      StructSpec record;
      if (!store.GetStruct(s, record)) return {};
      StructFields fields = ReadStructFields(record);
      fields.members.push_back(NewMember());
      return edit::StoreStruct(store, s, fields);
    }
    default:
      return edit::SetDocInfo(store, fresh, "(c) " + fresh);
  }
}

void RandomSequenceUndoesAndRedoesExactly(const std::string& original, unsigned seed) {
  SpecStore store;
  Load(store, original);
  std::mt19937 random(seed);
  std::vector<EditStep> steps;
  // The document's bytes after each step, for a few steps: undoing to one of them must give
  // them back, as a save in between would have written them.
  std::vector<std::pair<std::size_t, std::string>> saved;
  for (int i = 0; i < 200; ++i) {
    edit::Result result = RandomEdit(store, random, i);
    if (!result.done()) continue;
    steps.push_back(std::move(result.step));
    if (i % 37 == 0) saved.emplace_back(steps.size(), SaveToBytes(store));
  }
  ASSERT_GT(steps.size(), 120u) << "too few operations went through to test anything";
  const std::string after = SaveToBytes(store);
  for (std::size_t n = steps.size(); n > 0; --n) {
    ASSERT_TRUE(steps[n - 1].Undo(store)) << "step " << n;
    for (const auto& [count, bytes] : saved) {
      if (count == n - 1) {
        EXPECT_EQ(SaveToBytes(store), bytes) << "after undoing to step " << n - 1;
      }
    }
  }
  EXPECT_EQ(SaveToBytes(store), original);
  for (EditStep& step : steps) ASSERT_TRUE(step.Redo(store));
  EXPECT_EQ(SaveToBytes(store), after);
}

TEST(EditSequence, RandomSequenceOnTheSampleUndoesAndRedoesExactly) {
  SpecStore sample;
  ASSERT_TRUE(LoadStoreFromPath(sample, QUILLMAP_SOURCE_DIR "/examples/sample.dcm"));
  RandomSequenceUndoesAndRedoesExactly(SaveToBytes(sample), 20);
}

TEST(EditSequence, RandomSequenceOnAThousandFunctionsUndoesAndRedoesExactly) {
  RandomSequenceUndoesAndRedoesExactly(DocumentBytes(1000), 7);
}

TEST(EditSequence, StepOutlivesTheFileItsRecordWasReadFrom) {
  // A deleted record still borrows the bytes of the file it was read from; the store then reads
  // another file, and undoing puts the record back with bytes of its own.
  SpecStore store;
  Load(store, DocumentBytes(2));
  edit::Result removed = edit::DeleteFunction(store, 1);
  ASSERT_TRUE(removed.done());
  const std::string other = DocumentBytes(3);
  Load(store, other);
  ASSERT_TRUE(removed.step.Undo(store));
  removed = edit::Result();  // the step and the first file's bytes are gone
  EXPECT_EQ(FunctionNames(store), (std::vector<std::string>{"f0", "f1", "f1", "f2"}));
  EXPECT_EQ(FieldsAt(store, 1).heading, "function 'f1'");
}

TEST(EditSequence, StepHoldsOnlyTheRecordItDisplaced) {
  SpecStore store;
  Load(store, DocumentBytes(1000));
  std::size_t held = 0;
  std::vector<EditStep> steps;
  for (int i = 0; i < 100; ++i) {
    FunctionFields fields = FieldsAt(store, i);
    fields.note = "note " + std::to_string(i);
    edit::Result result = edit::StoreFunction(store, i, fields);
    ASSERT_TRUE(result.done());
    held += result.step.HeldBytes();
    steps.push_back(std::move(result.step));
  }
  // A record read from the file is held as a reference to the file's bytes, not as a copy.
  EXPECT_LT(held, 100 * 256u);
  std::size_t held_undone = 0;
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
    ASSERT_TRUE(it->Undo(store));
    held_undone += it->HeldBytes();
  }
  // Undone, each step holds its own rebuilt record (a few hundred bytes), no more.
  EXPECT_LT(held_undone, 100 * 1024u);
}

}  // namespace
}  // namespace quillmap
