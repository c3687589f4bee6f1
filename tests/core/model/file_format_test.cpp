// The .dcm bytes: what a save writes and how a load reads well-formed, odd and truncated files.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/model/spec_store.h"
#include "test_bytes.h"

namespace quillmap {
namespace {

using testing::DefaultInfoTree;
using testing::FileHeader;
using testing::LoadFromBytes;
using testing::Node;
using testing::SaveToBytes;
using testing::Section;

const std::string kNewDocument =
    FileHeader() + DefaultInfoTree() + Section("FUNC", 0) + Section("STRC", 0);

TEST(FileFormat, NewDocumentIsThe204Bytes) {
  SpecStore store;
  std::string bytes = SaveToBytes(store);
  ASSERT_EQ(bytes.size(), 204u);
  EXPECT_EQ(bytes, kNewDocument);
  // Spot-check the hand-made expectation itself against literal bytes.
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x10\0\0\0"
                                            "01PS",
                                            8));
  EXPECT_EQ(bytes.substr(124, 8), "0001FUNC");
  EXPECT_EQ(bytes.substr(164, 8), "0001STRC");
}

TEST(FileFormat, NewDocumentLoadsBackAsDefaults) {
  SpecStore store;
  store.SetDocInfo(kDocInfoTitle, "x");
  store.AddFunction("f");
  store.AddStruct("s");
  ASSERT_TRUE(LoadFromBytes(store, kNewDocument));
  EXPECT_EQ(store.GetDocInfo(kDocInfoTitle), "title");
  EXPECT_EQ(store.GetDocInfo(kDocInfoCopyright), "Copyright");
  EXPECT_EQ(store.GetFunctionCount(), 0u);
  EXPECT_EQ(store.GetStructCount(), 0u);
}

}  // namespace
}  // namespace quillmap

namespace quillmap {
namespace {

using testing::DefaultInfoTree;
using testing::FileHeader;
using testing::LoadFromBytes;
using testing::Node;
using testing::RawHeader;
using testing::SaveToBytes;
using testing::Section;

std::string OneFunctionTree(std::string_view name) {
  FunctionSpec function;
  function.SetRecordName(name);
  File file;
  file.OpenMemoryWrite();
  function.SaveTree(&file);
  return file.MemoryBytes();
}

// Pre-order dump of a tree: one "depth:name" entry per node.
std::vector<std::string> Shape(const PropertyTree& tree) {
  std::vector<std::string> out;
  std::vector<std::pair<PropertyNode*, int>> stack;
  for (PropertyNode* n = tree.Root()->last_child; n; n = n->previous_sibling)
    stack.push_back({n, 0});
  while (!stack.empty()) {
    auto [node, depth] = stack.back();
    stack.pop_back();
    std::string name;
    tree.GetName(node, name);
    out.push_back(std::to_string(depth) + ":" + name);
    for (PropertyNode* n = node->last_child; n; n = n->previous_sibling)
      stack.push_back({n, depth + 1});
  }
  return out;
}

void FillRichStore(SpecStore& store) {
  store.SetDocInfo(kDocInfoTitle, "\x83\x5e\x83\x43\x83\x67\x83\x8b");  // Shift-JIS text
  store.AddFunction("open");
  store.AddFunction("close");
  FunctionSpec function;
  store.GetFunction(0, function);
  function.SetExplanation("line\r\nline");
  function.AddArgument("const char*", "path", "\x83\x70\x83\x58");
  function.AddArgument("int", "flags", "");
  function.AddLink("close");
  function.AddHistory(1000000000, "made");
  function.SetAttribute(kAttrStatic);
  PropertyNode* node = function.AddChild(function.FindTop("note"), "with data");
  function.SetData(node, new unsigned char[3]{0, 1, 2}, 3);
  store.PutFunction(0, function);
  store.AddStruct("point");
  StructSpec structure;
  store.GetStruct(0, structure);
  structure.AddMember("int", "x", "");
  store.PutStruct(0, structure);
}

TEST(FileFormat, SaveLoadSaveIsByteForByte) {
  SpecStore store;
  FillRichStore(store);
  std::string first = SaveToBytes(store);
  SpecStore loaded;
  ASSERT_TRUE(LoadFromBytes(loaded, first));
  EXPECT_EQ(SaveToBytes(loaded), first);
  ASSERT_EQ(loaded.GetFunctionCount(), 2u);
  FunctionSpec original, read;
  store.GetFunction(0, original);
  loaded.GetFunction(0, read);
  EXPECT_EQ(Shape(read), Shape(original));
  PropertyNode* data_node = read.FindPath("/note/with data");
  ASSERT_NE(data_node, nullptr);
  ASSERT_EQ(read.GetDataLength(data_node), 3u);
  EXPECT_EQ(read.GetData(data_node)[2], 2);
  StructSpec structure;
  ASSERT_TRUE(loaded.GetStruct(0, structure));
  std::string type, name, description;
  ASSERT_TRUE(structure.GetMember(0, type, name, description));
  EXPECT_EQ(name, "x");
}

TEST(FileFormat, LoadedRecordKeepsTheStoredKeysOnly) {
  // A function tree with just "name" and "note": the defaults are replaced, not merged.
  std::string bytes = FileHeader() + DefaultInfoTree() + Section("FUNC", 1) + Node(2, "") +
                      Node(1, "name") + Node(0, "f") + Node(1, "note") + Node(0, "n") +
                      Section("STRC", 0);
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  FunctionSpec function;
  ASSERT_TRUE(store.GetFunction(0, function));
  EXPECT_EQ(Shape(function), (std::vector<std::string>{"0:name", "1:f", "0:note", "1:n"}));
  EXPECT_EQ(function.GetReturnType(), "");
  EXPECT_FALSE(function.SetIndex("x"));
  EXPECT_EQ(SaveToBytes(store), bytes);
}

TEST(FileFormat, HeaderCheckLooksAtTheFirstEightBytes) {
  SpecStore store;
  store.AddFunction("kept");
  std::string good = FileHeader() + DefaultInfoTree();
  std::string wrong_size = good;
  wrong_size[0] = 15;
  std::string wrong_magic = good;
  wrong_magic[4] = '1';
  for (const std::string& bad : {wrong_size, wrong_magic, good.substr(0, 7), std::string()}) {
    EXPECT_FALSE(LoadFromBytes(store, bad));
    EXPECT_EQ(store.FindFunction("kept"), 0) << "a refused load changes nothing";
    EXPECT_EQ(store.GetDocInfo(kDocInfoTitle), "title");
  }
  EXPECT_TRUE(LoadFromBytes(store, FileHeader(0xFFFFFFFF, 12345) + DefaultInfoTree()));
  EXPECT_EQ(store.GetFunctionCount(), 0u);
  EXPECT_EQ(store.GetDocInfo(kDocInfoTitle), "title");
}

TEST(FileFormat, EightToSixteenByteFileLoadsWithEmptyInformation) {
  for (std::size_t size : {8u, 12u, 16u}) {
    SpecStore store;
    store.AddStruct("gone");
    ASSERT_TRUE(LoadFromBytes(store, FileHeader().substr(0, size))) << size;
    EXPECT_EQ(store.Info().FirstChild(store.Info().Root()), nullptr);
    EXPECT_EQ(store.GetDocInfo(kDocInfoTitle), "");
    EXPECT_FALSE(store.SetDocInfo(kDocInfoTitle, "x"));
    EXPECT_EQ(store.GetFunctionCount() + store.GetStructCount(), 0u);
  }
}

TEST(FileFormat, SectionsInAnyOrderAndNumber) {
  std::string bytes = FileHeader() + DefaultInfoTree() + Section("STRC", 1) +
                      OneFunctionTree("s1") + Section("FUNC", 1) + OneFunctionTree("f1") +
                      Section("XXXX", 5) + Section("FUNC", 2) + OneFunctionTree("f2") +
                      OneFunctionTree("f3");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  ASSERT_EQ(store.GetFunctionCount(), 3u);
  EXPECT_EQ(store.FindFunction("f1"), 0);
  EXPECT_EQ(store.FindFunction("f3"), 2);
  ASSERT_EQ(store.GetStructCount(), 1u);
  // A structure section holding a function-shaped tree loads it as a StructSpec as it is.
  StructSpec structure;
  store.GetStruct(0, structure);
  EXPECT_EQ(structure.GetRecordName(), "s1");
  EXPECT_EQ(structure.GetMemberCount(), 0u);
}

TEST(FileFormat, UnknownSectionConsumesOnlyItsFortyBytes) {
  std::string bytes = FileHeader() + DefaultInfoTree() + Section("ABCD", 3) + Section("FUNC", 1) +
                      OneFunctionTree("f");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  EXPECT_EQ(store.FindFunction("f"), 0);
}

TEST(FileFormat, SectionTagOrInfoCutShortEndsTheDocument) {
  std::string base = FileHeader() + DefaultInfoTree() + Section("FUNC", 1) + OneFunctionTree("f");
  std::string next = Section("FUNC", 1);
  for (std::size_t cut : {1u, 7u, 8u, 39u}) {
    SpecStore store;
    ASSERT_TRUE(LoadFromBytes(store, base + next.substr(0, cut))) << cut;
    EXPECT_EQ(store.GetFunctionCount(), 1u) << cut;
  }
}

TEST(FileFormat, FileEndingAfterTheInformationHasNoRecords) {
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, FileHeader() + DefaultInfoTree()));
  EXPECT_EQ(store.GetDocInfo(kDocInfoCopyright), "Copyright");
  EXPECT_EQ(store.GetFunctionCount(), 0u);
}

TEST(FileFormat, TruncatedTreeGivesEmptyNodesPastTheEnd) {
  // Root with 3 children; the second declares 2 children; the file ends after the second's name.
  std::string bytes =
      FileHeader() + Node(3, "") + Node(1, "title") + Node(0, "T") + Node(2, "copyright");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  EXPECT_EQ(Shape(store.Info()),
            (std::vector<std::string>{"0:title", "1:T", "0:copyright", "1:", "1:", "0:"}));
  EXPECT_EQ(store.GetDocInfo(kDocInfoCopyright), "");
}

TEST(FileFormat, HeaderCutInsideReadsTheRestAsZeros) {
  // The last node header has only its child count (1) and four bytes of name length (2).
  std::string bytes = FileHeader() + Node(1, "") + RawHeader(1, 2, 0).substr(0, 8);
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  // Its name bytes are missing (empty name); its one child lies past the end.
  EXPECT_EQ(Shape(store.Info()), (std::vector<std::string>{"0:", "1:"}));
}

TEST(FileFormat, RecordsPastTheEndComeBackEmpty) {
  std::string bytes = FileHeader() + DefaultInfoTree() + Section("FUNC", 3) + OneFunctionTree("f");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  ASSERT_EQ(store.GetFunctionCount(), 3u);
  FunctionSpec function;
  store.GetFunction(2, function);
  EXPECT_EQ(function.FirstChild(function.Root()), nullptr);
  EXPECT_EQ(function.GetRecordName(), "");
}

TEST(FileFormat, FileEndingRightAfterASectionHeaderHasItsRecordsEmpty) {
  // The tag and the info block are whole; the two records the count declares lie past the end.
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, FileHeader() + DefaultInfoTree() + Section("FUNC", 2)));
  ASSERT_EQ(store.GetFunctionCount(), 2u);
  for (std::int32_t index : {0, 1}) {
    FunctionSpec function;
    ASSERT_TRUE(store.GetFunction(index, function));
    EXPECT_EQ(function.FirstChild(function.Root()), nullptr) << index;
  }
  EXPECT_EQ(store.GetStructCount(), 0u);
}

TEST(FileFormat, NameIsCutAtAnEmbeddedZero) {
  std::string bytes = FileHeader() + Node(1, "") + Node(1, std::string("ti\0tle", 6)) +
                      Node(0, "x") + Section("FUNC", 0);
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  EXPECT_EQ(Shape(store.Info()), (std::vector<std::string>{"0:ti", "1:x"}));
}

TEST(FileFormat, RootNameAndDataAreSkippedNotRead) {
  // The root's name bytes are consumed; its data length is not looked at.
  std::string root = testing::RawHeader(1, 3, 99) + "abc";
  std::string bytes =
      FileHeader() + root + Node(0, "title") + Section("FUNC", 1) + OneFunctionTree("f");
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  EXPECT_EQ(Shape(store.Info()), (std::vector<std::string>{"0:title"}));
  EXPECT_EQ(store.FindFunction("f"), 0);
}

TEST(FileFormat, DataCutByTheEndKeepsTheBytesRead) {
  std::string bytes = FileHeader() + Node(1, "") + RawHeader(0, 1, 10) + "n" + "abc";
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  PropertyNode* node = store.Info().FirstChild(store.Info().Root());
  ASSERT_EQ(store.Info().GetDataLength(node), 3u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(store.Info().GetData(node)), 3), "abc");
}

TEST(FileFormat, LoadTreeAndSaveTreeNeedAFile) {
  PropertyTree tree;
  EXPECT_FALSE(tree.LoadTree(nullptr));
  EXPECT_FALSE(tree.SaveTree(nullptr));
  SpecStore store;
  EXPECT_FALSE(store.Load(nullptr));
  EXPECT_FALSE(store.Save(nullptr));
}

}  // namespace
}  // namespace quillmap
