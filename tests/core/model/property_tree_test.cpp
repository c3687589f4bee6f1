// PropertyTree and NodeTree: node links, removal, copying and path lookup.
#include "core/model/property_tree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace quillmap {
namespace {

std::string NameOf(const PropertyTree& tree, const PropertyNode* node) {
  std::string name = "<none>";
  tree.GetName(node, name);
  return name;
}

std::vector<std::string> ChildNames(const PropertyTree& tree, const PropertyNode* node) {
  std::vector<std::string> names;
  for (PropertyNode* child = tree.FirstChild(node); child; child = tree.NextSibling(child)) {
    names.push_back(NameOf(tree, child));
  }
  return names;
}

// Exposes the payload-less node primitive that only loaders use.
class RawTree : public PropertyTree {
 public:
  using NodeTree::AddNode;
  using NodeTree::SetPayload;
};

TEST(PropertyTree, AddChildAppendsInOrderAndAllowsSharedNames) {
  PropertyTree tree;
  PropertyNode* a = tree.AddChild(nullptr, "a");
  tree.AddChild(nullptr, "b");
  tree.AddChild(nullptr, "a");
  tree.AddChild(a, "");
  EXPECT_EQ(ChildNames(tree, tree.Root()), (std::vector<std::string>{"a", "b", "a"}));
  EXPECT_EQ(tree.ChildCount(tree.Root()), 3u);
  EXPECT_EQ(ChildNames(tree, a), (std::vector<std::string>{""}));
  EXPECT_EQ(a->parent, tree.Root());
}

TEST(PropertyTree, RootHasNoNameAndRejectsPayloadOperations) {
  RawTree tree;
  std::string name = "untouched";
  EXPECT_FALSE(tree.GetName(tree.Root(), name));
  EXPECT_EQ(name, "untouched");
  EXPECT_FALSE(tree.SetName(tree.Root(), "x"));
  EXPECT_FALSE(tree.SetPayload(tree.Root(), nullptr));
  EXPECT_FALSE(tree.RemoveNode(tree.Root()));
  EXPECT_EQ(tree.GetDataLength(tree.Root()), 0u);
}

TEST(PropertyTree, InvalidNodesAreRefused) {
  PropertyTree tree;
  PropertyNode forged;  // self does not point back to it
  EXPECT_EQ(tree.AddChild(&forged, "x"), nullptr);
  EXPECT_FALSE(tree.RemoveNode(&forged));
  EXPECT_FALSE(tree.RemoveNode(nullptr));
  EXPECT_EQ(tree.FirstChild(&forged), nullptr);
  EXPECT_EQ(tree.ChildCount(&forged), 0u);
  EXPECT_FALSE(tree.SetName(nullptr, "x"));
  EXPECT_EQ(tree.ChildCount(tree.Root()), 0u);
}

TEST(PropertyTree, NodeWithoutPayloadHasNoNameOrData) {
  RawTree tree;
  PropertyNode* bare = tree.AddNode(nullptr);
  ASSERT_NE(bare, nullptr);
  std::string name;
  EXPECT_FALSE(tree.GetName(bare, name));
  EXPECT_FALSE(tree.SetData(bare, new unsigned char[3], 3));  // block released, no leak
  EXPECT_EQ(tree.GetData(bare), nullptr);
}

TEST(PropertyTree, SetDataReplacesTheBlock) {
  PropertyTree tree;
  PropertyNode* node = tree.AddChild(nullptr, "n");
  EXPECT_TRUE(tree.SetData(node, new unsigned char[2]{1, 2}, 2));
  EXPECT_TRUE(tree.SetData(node, new unsigned char[3]{7, 8, 9}, 3));
  ASSERT_EQ(tree.GetDataLength(node), 3u);
  EXPECT_EQ(tree.GetData(node)[2], 9);
}

TEST(PropertyTree, RemoveNodeTakesDescendantsAndRelinksSiblings) {
  PropertyTree tree;
  PropertyNode* first = tree.AddChild(nullptr, "first");
  PropertyNode* child = tree.AddChild(first, "child");
  tree.AddChild(child, "grandchild");
  tree.AddChild(first, "child2");
  PropertyNode* second = tree.AddChild(nullptr, "second");
  PropertyNode* third = tree.AddChild(nullptr, "third");

  ASSERT_TRUE(tree.RemoveNode(first));
  EXPECT_EQ(tree.FirstChild(tree.Root()), second);
  EXPECT_EQ(second->previous_sibling, nullptr);
  EXPECT_TRUE(tree.RemoveNode(third));
  EXPECT_EQ(second->next_sibling, nullptr);
  // Appending after removing the last child links to the new last one.
  tree.AddChild(nullptr, "fourth");
  EXPECT_EQ(ChildNames(tree, tree.Root()), (std::vector<std::string>{"second", "fourth"}));
}

TEST(PropertyTree, ClearLeavesOnlyTheRoot) {
  PropertyTree tree;
  tree.AddChild(tree.AddChild(nullptr, "a"), "b");
  EXPECT_TRUE(tree.Clear());
  EXPECT_EQ(tree.FirstChild(tree.Root()), nullptr);
  tree.AddChild(nullptr, "c");
  EXPECT_EQ(ChildNames(tree, tree.Root()), (std::vector<std::string>{"c"}));
}

TEST(PropertyTree, CopyFromCopiesNamesDataAndOrder) {
  PropertyTree source;
  PropertyNode* a = source.AddChild(nullptr, "a");
  source.SetData(a, new unsigned char[4]{0, 1, 0xFF, 3}, 4);
  source.AddChild(a, "a1");
  source.AddChild(a, "a2");
  source.AddChild(nullptr, "b");

  PropertyTree copy;
  copy.AddChild(nullptr, "old");
  ASSERT_TRUE(copy.CopyFrom(&source));
  EXPECT_EQ(ChildNames(copy, copy.Root()), (std::vector<std::string>{"a", "b"}));
  PropertyNode* copied = copy.FirstChild(copy.Root());
  ASSERT_EQ(copy.GetDataLength(copied), 4u);
  EXPECT_NE(copy.GetData(copied), source.GetData(a));  // a deep copy
  EXPECT_EQ(std::memcmp(copy.GetData(copied), "\0\1\xFF\3", 4), 0);
  EXPECT_EQ(ChildNames(copy, copied), (std::vector<std::string>{"a1", "a2"}));
  EXPECT_FALSE(copy.CopyFrom(nullptr));
}

TEST(PropertyTree, CopyFromItselfKeepsTheTree) {
  PropertyTree tree;
  tree.AddChild(nullptr, "a");
  EXPECT_TRUE(tree.CopyFrom(&tree));
  EXPECT_EQ(ChildNames(tree, tree.Root()), (std::vector<std::string>{"a"}));
}

TEST(PropertyTree, CopySubtreeAppendsAfterExistingChildren) {
  PropertyTree tree;
  PropertyNode* a = tree.AddChild(nullptr, "a");
  tree.AddChild(a, "x");
  PropertyNode* b = tree.AddChild(nullptr, "b");
  tree.AddChild(b, "existing");
  ASSERT_TRUE(tree.CopySubtree(&tree, a, b));
  EXPECT_EQ(ChildNames(tree, b), (std::vector<std::string>{"existing", "x"}));
  EXPECT_FALSE(tree.CopySubtree(nullptr, a, b));
  EXPECT_FALSE(tree.CopySubtree(&tree, a, nullptr));
}

TEST(PropertyTree, CopySubtreeIntoItsOwnDescendantTerminates) {
  PropertyTree tree;
  PropertyNode* a = tree.AddChild(nullptr, "a");
  PropertyNode* b = tree.AddChild(a, "b");
  ASSERT_TRUE(tree.CopySubtree(&tree, tree.Root(), b));
  // b now holds a copy of the tree as it was: a with child b.
  EXPECT_EQ(ChildNames(tree, b), (std::vector<std::string>{"a"}));
  EXPECT_EQ(ChildNames(tree, tree.FirstChild(b)), (std::vector<std::string>{"b"}));
  EXPECT_EQ(tree.FirstChild(tree.FirstChild(tree.FirstChild(b))), nullptr);
}

TEST(PropertyTree, DeepChainsAreCopiedAndFreedWithoutRecursion) {
  PropertyTree tree;
  PropertyNode* node = nullptr;
  for (int i = 0; i < 200000; ++i) node = tree.AddChild(node, "n");
  PropertyTree copy;
  ASSERT_TRUE(copy.CopyFrom(&tree));
  EXPECT_TRUE(tree.RemoveNode(tree.FirstChild(tree.Root())));
  EXPECT_EQ(tree.ChildCount(tree.Root()), 0u);
}  // copy is destroyed with its 200000-deep chain

class FindPathTest : public ::testing::Test {
 protected:
  PropertyTree tree;
};

TEST_F(FindPathTest, FirstOfTwoSameNamedSiblingsWins) {
  PropertyNode* first = tree.AddChild(nullptr, "x");
  tree.AddChild(nullptr, "x");
  EXPECT_EQ(tree.FindPath("/x"), first);
  EXPECT_EQ(tree.FindTop("x"), first);
}

TEST_F(FindPathTest, SkipsASameNamedSiblingWithoutChildren) {
  tree.AddChild(nullptr, "x");
  PropertyNode* second = tree.AddChild(nullptr, "x");
  PropertyNode* y = tree.AddChild(second, "y");
  EXPECT_EQ(tree.FindPath("/x/y"), y);
}

TEST_F(FindPathTest, FirstSiblingWithChildrenDecidesEvenWhenItLacksTheChild) {
  PropertyNode* first = tree.AddChild(nullptr, "x");
  tree.AddChild(first, "z");
  PropertyNode* second = tree.AddChild(nullptr, "x");
  tree.AddChild(second, "y");
  EXPECT_EQ(tree.FindPath("/x/y"), nullptr);
}

TEST_F(FindPathTest, NeedsALeadingSlashAndComparesExactly) {
  tree.AddChild(nullptr, "Key");
  EXPECT_EQ(tree.FindPath("Key"), nullptr);
  EXPECT_EQ(tree.FindPath(""), nullptr);
  EXPECT_EQ(tree.FindPath("/key"), nullptr);
  EXPECT_EQ(tree.FindPath("/Key "), nullptr);
  EXPECT_NE(tree.FindPath("/Key"), nullptr);
}

TEST_F(FindPathTest, EmptySegmentsMatchEmptyNames) {
  EXPECT_EQ(tree.FindPath("/"), nullptr);
  tree.AddChild(nullptr, "a");
  PropertyNode* empty = tree.AddChild(nullptr, "");
  PropertyNode* inner = tree.AddChild(empty, "");
  EXPECT_EQ(tree.FindPath("/"), empty);
  EXPECT_EQ(tree.FindPath("//"), inner);
}

TEST_F(FindPathTest, StopsAtANodeWithoutPayload) {
  RawTree raw;
  raw.AddNode(nullptr);
  raw.AddChild(nullptr, "x");
  EXPECT_EQ(raw.FindPath("/x"), nullptr);
  EXPECT_EQ(raw.FindTopChild("x", "y"), nullptr);
}

TEST_F(FindPathTest, FindTopChildFindsNamesWithSlashes) {
  tree.AddChild(nullptr, "name");  // no children: passed over
  PropertyNode* key = tree.AddChild(nullptr, "name");
  PropertyNode* value = tree.AddChild(key, "a/b");
  EXPECT_EQ(tree.FindTopChild("name", "a/b"), value);
  EXPECT_EQ(tree.FindPath("/name/a/b"), nullptr);
  EXPECT_EQ(tree.FindTopChild("name", "a"), nullptr);
  // The first key with children decides, as with paths.
  PropertyNode* later = tree.AddChild(nullptr, "name");
  tree.AddChild(later, "c");
  EXPECT_EQ(tree.FindTopChild("name", "c"), nullptr);
}

}  // namespace
}  // namespace quillmap
