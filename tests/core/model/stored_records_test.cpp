// Records kept as the bytes of the file they were read from: reading them back gives the tree the
// load made, saving gives what writing that tree gives, and the store's lookups and snapshots
// see every change.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/model/flat_tree.h"
#include "core/model/load_budget.h"
#include "core/model/spec_store.h"
#include "core/model/stored_tree.h"
#include "core/model/tree_reader.h"
#include "core/text/concat.h"
#include "test_bytes.h"

namespace quillmap {
namespace {

using testing::DefaultInfoTree;
using testing::FileHeader;
using testing::LoadFromBytes;
using testing::Node;
using testing::PutU32;
using testing::RawHeader;
using testing::SaveToBytes;
using testing::Section;

// A node header with a reserved value of its own.
std::string NodeWithReserved(std::uint32_t children, std::string_view name,
                             std::uint32_t reserved) {
  std::string out;
  PutU32(out, children);
  PutU32(out, static_cast<std::uint32_t>(name.size()));
  PutU32(out, 0);
  PutU32(out, reserved);
  out.append(name);
  return out;
}

// "depth:name" of every node in pre-order, data as "=bytes".
std::vector<std::string> Shape(const PropertyTree& tree) {
  struct Lister : TreeVisitor {
    std::vector<std::string> lines;
    int depth = 0;
    bool Open(std::string_view name, const unsigned char* data, std::uint32_t length,
              std::uint32_t) override {
      std::string line = text::Concat({std::to_string(++depth), ":", name});
      if (data) {
        line += "=";
        line.append(reinterpret_cast<const char*>(data), length);
      }
      lines.push_back(line);
      return true;
    }
    void Close() override { --depth; }
  } lister;
  tree.Visit(lister);
  return lister.lines;
}

std::string Function(std::string_view name, std::string_view return_type) {
  FunctionSpec function;
  function.SetRecordName(name);
  function.SetReturnType(return_type);
  File file;
  file.OpenMemoryWrite();
  function.SaveTree(&file);
  return file.MemoryBytes();
}

std::string Document(const std::vector<std::string>& functions) {
  std::string bytes = FileHeader() + DefaultInfoTree() + Section("FUNC", functions.size());
  for (const std::string& function : functions) bytes += function;
  return bytes + Section("STRC", 0);
}

TEST(StoredRecords, UnchangedRecordsSaveByteForByte) {
  const std::string bytes = Document({Function("a", "int"), Function("b", "char*")});
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  EXPECT_EQ(SaveToBytes(store), bytes);
  // A replaced record is written from its new tree, the others still from the file's bytes.
  FunctionSpec b;
  ASSERT_TRUE(store.GetFunction(1, b));
  b.SetReturnType("long");
  ASSERT_TRUE(store.PutFunction(1, b));
  EXPECT_EQ(SaveToBytes(store), Document({Function("a", "int"), Function("b", "long")}));
}

TEST(StoredRecords, IrregularBytesSaveAsTheTreeTheyMake) {
  // A root with a name and data length, a node with a reserved value, a name with a zero byte:
  // the load keeps none of these, so neither does the save.
  std::string odd;
  PutU32(odd, 2);
  PutU32(odd, 3);
  PutU32(odd, 9);
  PutU32(odd, 7);
  odd += "abc";
  odd += NodeWithReserved(1, "name", 5) + Node(0, std::string("f\0g", 3)) + Node(0, "x", "dd");
  const std::string expected_record =
      Node(2, "") + Node(1, "name") + Node(0, "f") + Node(0, "x", "dd");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, Document({odd})));
  FunctionSpec function;
  ASSERT_TRUE(store.GetFunction(0, function));
  EXPECT_EQ(Shape(function), (std::vector<std::string>{"1:name", "2:f", "1:x=dd"}));
  EXPECT_EQ(SaveToBytes(store), Document({expected_record}));
  EXPECT_EQ(store.FindFunction("f"), 0);
  EXPECT_EQ(store.GetFunctionName(0), "f");
}

TEST(StoredRecords, EachIrregularityAloneMakesARecordNotCanonical) {
  // One irregularity per record, so that each check on its own decides; the save writes the
  // regular form.
  std::string root_reserved;
  PutU32(root_reserved, 1);
  PutU32(root_reserved, 0);
  PutU32(root_reserved, 0);
  PutU32(root_reserved, 9);
  const std::string regular = Node(1, "") + Node(1, "name") + Node(0, "f");
  const struct {
    const char* what;
    std::string record;
  } cases[] = {
      {"reserved word of a node", Node(1, "") + NodeWithReserved(1, "name", 5) + Node(0, "f")},
      {"reserved word of the root", root_reserved + Node(1, "name") + Node(0, "f")},
      {"zero byte in a name", Node(1, "") + Node(1, "name") + Node(0, std::string("f\0", 2))},
  };
  for (const auto& c : cases) {
    LoadBudget budget(c.record.size());
    TreeVisitor walker;
    const TreeScan scan = ReadTree(reinterpret_cast<const unsigned char*>(c.record.data()),
                                   c.record.size(), budget, NameRule::kCutAtZero, walker);
    EXPECT_EQ(scan.consumed, c.record.size()) << c.what;
    EXPECT_FALSE(scan.canonical) << c.what;
    SpecStore store;
    ASSERT_TRUE(LoadFromBytes(store, Document({c.record}))) << c.what;
    EXPECT_EQ(SaveToBytes(store), Document({regular})) << c.what;
  }
  LoadBudget budget(regular.size());
  TreeVisitor walker;
  EXPECT_TRUE(ReadTree(reinterpret_cast<const unsigned char*>(regular.data()), regular.size(),
                       budget, NameRule::kCutAtZero, walker)
                  .canonical);
}

TEST(StoredRecords, TruncatedRecordReadsBackWithItsPhantoms) {
  // The last record declares three children and the file ends after the first: two phantoms.
  const std::string bytes = FileHeader() + DefaultInfoTree() + Section("FUNC", 2) +
                            Function("a", "int") + Node(3, "") + Node(0, "only");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  ASSERT_EQ(store.GetFunctionCount(), 2u);
  FunctionSpec cut;
  ASSERT_TRUE(store.GetFunction(1, cut));
  EXPECT_EQ(Shape(cut), (std::vector<std::string>{"1:only", "1:", "1:"}));
  const std::string saved = SaveToBytes(store);
  EXPECT_EQ(saved, FileHeader() + DefaultInfoTree() + Section("FUNC", 2) + Function("a", "int") +
                       Node(3, "") + Node(0, "only") + Node(0, "") + Node(0, "") +
                       Section("STRC", 0));
  SpecStore again;
  ASSERT_TRUE(LoadFromBytes(again, saved));
  EXPECT_EQ(SaveToBytes(again), saved);
}

TEST(StoredRecords, BudgetRunningOutInsideARecordSavesTheChildrenItGot) {
  // A record whose root and first child declare far more children than the file and the budget
  // allow: the load stops inside it, and the save writes the counts of what was made.
  constexpr std::uint32_t kHuge = 4000000000u;
  const std::string bytes = FileHeader() + DefaultInfoTree() + Section("FUNC", 1) +
                            RawHeader(kHuge, 0, 0) + Node(kHuge, "k") + Node(0, "v");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  ASSERT_EQ(store.GetFunctionCount(), 1u);
  FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(0, record));
  const PropertyNode* key = record.FirstChild(record.Root());
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(record.ChildCount(record.Root()), 1u);  // the budget ran out under the first child
  const std::uint32_t children = record.ChildCount(key);
  EXPECT_EQ(children, LoadBudget::kMinimumPhantoms + 1);
  const std::string saved = SaveToBytes(store);
  SpecStore again;
  ASSERT_TRUE(LoadFromBytes(again, saved));
  FunctionSpec reloaded;
  ASSERT_TRUE(again.GetFunction(0, reloaded));
  EXPECT_EQ(Shape(reloaded), Shape(record));
  EXPECT_EQ(SaveToBytes(again), saved);
}

// Skips the children of nodes with a given name; counts what it is handed.
class Skipper : public TreeVisitor {
 public:
  explicit Skipper(std::string_view skipped) : skipped_(skipped) {}
  bool Open(std::string_view name, const unsigned char*, std::uint32_t, std::uint32_t) override {
    ++opened;
    ++open;
    if (name == skipped_) SkipChildren();
    return true;
  }
  void Close() override {
    ++closed;
    --open;
  }
  int opened = 0;
  int closed = 0;
  int open = 0;

 private:
  std::string_view skipped_;
};

TEST(StoredRecords, SkippedChildrenAreReadButNotHandedOut) {
  // a{b{c}, d}, then e whose header declares children past the end: the budget runs out inside
  // it. Skipping a node's children changes what the visitor sees, never what the reader reads.
  const std::string tree = Node(2, "") + Node(2, "a") + Node(1, "b") + Node(0, "c") + Node(0, "d") +
                           Node(4000000000u, "e") + Node(0, "f");
  for (std::string_view skipped : {"", "a", "b", "e"}) {
    LoadBudget budget(0);
    Skipper visitor(skipped);
    const TreeScan scan = ReadTree(reinterpret_cast<const unsigned char*>(tree.data()), tree.size(),
                                   budget, NameRule::kCutAtZero, visitor);
    EXPECT_EQ(scan.consumed, tree.size()) << skipped;
    EXPECT_EQ(scan.phantoms, LoadBudget::kMinimumPhantoms) << skipped;
    EXPECT_EQ(scan.root_children, 2u) << skipped;
    EXPECT_TRUE(scan.stopped) << skipped;
    EXPECT_EQ(visitor.opened, visitor.closed) << skipped;
    EXPECT_EQ(visitor.open, 0) << skipped;
    const int all = 6 + static_cast<int>(LoadBudget::kMinimumPhantoms);
    const int expected = skipped == "a"   ? all - 3
                         : skipped == "b" ? all - 1
                         : skipped == "e" ? 5
                                          : all;
    EXPECT_EQ(visitor.opened, expected) << skipped;
  }
}

TEST(StoredRecords, StopUnderSkippedChildrenClosesEveryOpenedLevel) {
  // root -> A -> B, B declaring five children past the end; A's children are skipped, and the
  // budget allows one phantom: the reading stops two levels below A, which alone was opened.
  const std::string tree = Node(1, "") + Node(1, "A") + Node(5, "B");
  LoadBudget budget = LoadBudget::Exactly(1);
  Skipper visitor("A");
  const TreeScan scan = ReadTree(reinterpret_cast<const unsigned char*>(tree.data()), tree.size(),
                                 budget, NameRule::kCutAtZero, visitor);
  EXPECT_TRUE(scan.stopped);
  EXPECT_EQ(scan.phantoms, 1u);
  EXPECT_EQ(visitor.opened, 1);
  EXPECT_EQ(visitor.closed, 1);
}

TEST(StoredRecords, PutRecordsKeepZeroBytesInNamesUntilSavedAndLoaded) {
  SpecStore store;
  store.AddFunction("f");
  FunctionSpec function;
  ASSERT_TRUE(store.GetFunction(0, function));
  const std::string zero_name("a\0b", 3);
  function.SetNote(zero_name);
  ASSERT_TRUE(store.PutFunction(0, function));
  FunctionSpec copy;
  ASSERT_TRUE(store.GetFunction(0, copy));
  EXPECT_EQ(copy.GetNote(), zero_name);
  SpecStore loaded;
  ASSERT_TRUE(LoadFromBytes(loaded, SaveToBytes(store)));
  ASSERT_TRUE(loaded.GetFunction(0, copy));
  EXPECT_EQ(copy.GetNote(), "a");
}

TEST(StoredRecords, SingleValuesFollowTheRecordAccessors) {
  // Records the lookups must not get wrong: a name key without children before the real one, a
  // name key with two children, no return key, and an empty tree.
  const std::string empty_name_key = Node(2, "") + Node(0, "name") + Node(1, "name") + Node(0, "n");
  const std::string two_names = Node(2, "") + Node(2, "name") + Node(0, "p") + Node(0, "q") +
                                Node(1, "return") + Node(0, "T");
  const std::string no_return = Node(1, "") + Node(1, "name") + Node(0, "r");
  const std::string empty = Node(0, "");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, Document({empty_name_key, two_names, no_return, empty})));
  ASSERT_EQ(store.GetFunctionCount(), 4u);
  for (std::int32_t i = 0; i < 4; ++i) {
    FunctionSpec copy;
    ASSERT_TRUE(store.GetFunction(i, copy));
    EXPECT_EQ(store.GetFunctionName(i), copy.GetRecordName()) << i;
    EXPECT_EQ(store.SharedFunctionName(i).view(), copy.GetRecordName()) << i;
    EXPECT_EQ(store.GetFunctionReturnType(i), copy.GetReturnType()) << i;
  }
  EXPECT_EQ(store.GetFunctionName(0), "");  // the first "name" key decides, and it is empty
  EXPECT_EQ(store.FindFunction("n"), 0);    // but finding looks at the first one with children
  EXPECT_EQ(store.FindFunction("p"), 1);
  EXPECT_EQ(store.FindFunction("q"), 1);
  EXPECT_EQ(store.FindFunction("r"), 2);
  EXPECT_EQ(store.GetFunctionName(4), "");
  EXPECT_EQ(store.GetStructName(0), "");

  // Every change keeps the lookups right: renaming, adding, removing.
  FunctionSpec renamed;
  ASSERT_TRUE(store.GetFunction(2, renamed));
  renamed.SetRecordName("s");
  ASSERT_TRUE(store.PutFunction(2, renamed));
  EXPECT_EQ(store.FindFunction("r"), -1);
  EXPECT_EQ(store.FindFunction("s"), 2);
  store.AddFunction("p");
  EXPECT_EQ(store.FindFunction("p"), 1);
  ASSERT_TRUE(store.RemoveFunction(1));
  EXPECT_EQ(store.FindFunction("p"), 3);
  EXPECT_EQ(store.FindFunction("s"), 1);
}

TEST(StoredRecords, SnapshotKeepsTheRecordsAsTheyWere) {
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, Document({Function("a", "int")})));
  const RecordSnapshot snapshot = store.Snapshot();
  FunctionSpec changed;
  ASSERT_TRUE(store.GetFunction(0, changed));
  changed.SetRecordName("b");
  ASSERT_TRUE(store.PutFunction(0, changed));
  store.AddFunction("c");
  ASSERT_TRUE(LoadFromBytes(store, Document({})));  // even a new load leaves it alone
  ASSERT_EQ(snapshot.functions->Count(), 1u);
  FunctionSpec kept;
  snapshot.functions->At(0)->BuildInto(kept);
  EXPECT_EQ(kept.GetRecordName(), "a");
  EXPECT_EQ(snapshot.functions->FindName("a"), 0);
}

TEST(StoredRecords, DocumentInformationIsReadWithoutMakingTheTree) {
  const std::string info = Node(2, "") + Node(1, "title") + Node(0, "T") + Node(0, "copyright");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, FileHeader() + info));
  EXPECT_EQ(store.GetDocInfo(kDocInfoTitle), "T");
  EXPECT_EQ(store.GetDocInfo(kDocInfoCopyright), "");  // the key has no child
  EXPECT_EQ(store.GetDocInfo(7), "");
  EXPECT_EQ(SaveToBytes(store), FileHeader() + info + Section("FUNC", 0) + Section("STRC", 0));
  EXPECT_EQ(Shape(store.Info()), (std::vector<std::string>{"1:title", "2:T", "1:copyright"}));
  ASSERT_TRUE(store.SetDocInfo(kDocInfoTitle, "U"));
  EXPECT_EQ(store.GetDocInfo(kDocInfoTitle), "U");
  EXPECT_FALSE(store.SetDocInfo(kDocInfoCopyright, "C"));  // no value node to rename
}

TEST(StoredRecords, FlatTreeMatchesTheTree) {
  FunctionSpec function;
  function.SetRecordName("f");
  function.AddArgument("int", "a", "first");
  function.AddArgument("char*", "b", "second");
  FlatTree flat;
  flat.Assign(function);
  FlatTree from_bytes;
  const StoredTree stored = StoredTree::FromTree(function);
  from_bytes.Assign(stored);
  ASSERT_EQ(flat.NodeCount(), from_bytes.NodeCount());
  // Both walk the same shape with the same names.
  std::vector<std::uint32_t> a{FlatTree::kRoot}, b{FlatTree::kRoot};
  while (!a.empty()) {
    const std::uint32_t x = a.back(), y = b.back();
    a.pop_back();
    b.pop_back();
    EXPECT_EQ(flat.Name(x), from_bytes.Name(y));
    EXPECT_EQ(flat.HasName(x), from_bytes.HasName(y));
    std::uint32_t cx = flat.FirstChild(x), cy = from_bytes.FirstChild(y);
    for (; cx != FlatTree::kNone && cy != FlatTree::kNone;
         cx = flat.NextSibling(cx), cy = from_bytes.NextSibling(cy)) {
      a.push_back(cx);
      b.push_back(cy);
    }
    EXPECT_EQ(cx == FlatTree::kNone, cy == FlatTree::kNone);
  }
  EXPECT_FALSE(flat.HasName(FlatTree::kRoot));
  EXPECT_EQ(flat.FirstChild(FlatTree::kNone), FlatTree::kNone);
}

TEST(StoredRecords, LoadAndSaveReportProgressOfLargeDocuments) {
  SpecStore big;
  for (int i = 0; i < 3000; ++i) {
    big.AddFunction(text::Concat({"f", std::to_string(i)}));
    FunctionSpec function;
    big.GetFunction(i, function);
    function.SetExplanation(std::string(4000, 'x'));
    big.PutFunction(i, function);
  }
  std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
  const auto record = [&](std::uint64_t done, std::uint64_t total) {
    calls.emplace_back(done, total);
  };
  File out;
  out.OpenMemoryWrite();
  big.Save(&out, record);
  const std::string bytes = out.MemoryBytes();
  ASSERT_GT(bytes.size(), 2 * kProgressStep);
  ASSERT_GE(calls.size(), 2u);
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_LE(calls[i].first, calls[i].second);
    if (i) {
      EXPECT_GT(calls[i].first, calls[i - 1].first);
    }
  }
  // Reading reports from a file on disk; memory files are read in one step.
  const std::string path = ::testing::TempDir() + "/quillmap-progress.dcm";
  SaveStoreToPath(big, path);
  calls.clear();
  SpecStore loaded;
  ASSERT_TRUE(LoadStoreFromPath(loaded, path, record));
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.back().second, bytes.size());
  EXPECT_EQ(SaveToBytes(loaded), bytes);
  std::remove(path.c_str());
}

TEST(StoredRecords, SharedNamesViewTheFileBytesUntilARecordIsReplaced) {
  text::SharedBytes loaded_name;
  text::SharedBytes renamed_name;
  {
    SpecStore store;
    const std::string record = Node(1, "") + Node(1, "name") + Node(0, "loaded");
    ASSERT_TRUE(LoadFromBytes(store, Document({record, record})));
    loaded_name = store.SharedFunctionName(0);
    // A record still in the file's bytes is viewed there, not copied: both takes see one place.
    EXPECT_EQ(store.SharedFunctionName(0).view().data(), loaded_name.view().data());
    EXPECT_EQ(store.SharedStructName(0).view(), "");  // no such structure
    FunctionSpec function;
    ASSERT_TRUE(store.GetFunction(1, function));
    function.SetRecordName("renamed");
    ASSERT_TRUE(store.PutFunction(1, function));
    renamed_name = store.SharedFunctionName(1);
  }
  // Both outlive the store: the view keeps the file's bytes, the replaced record gave a copy.
  EXPECT_EQ(loaded_name.view(), "loaded");
  EXPECT_EQ(renamed_name.view(), "renamed");
}

}  // namespace
}  // namespace quillmap
