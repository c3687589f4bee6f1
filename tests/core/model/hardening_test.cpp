// Corrupt files with absurd counts and lengths: the load stays bounded by the file's size.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/model/load_budget.h"
#include "core/model/spec_store.h"
#include "test_bytes.h"

namespace quillmap {
namespace {

using testing::DefaultInfoTree;
using testing::FileHeader;
using testing::LoadFromBytes;
using testing::Node;
using testing::RawHeader;
using testing::Section;

constexpr std::uint32_t kHuge = 4000000000u;

std::uint64_t CountNodes(const PropertyTree& tree) {
  std::uint64_t count = 0;
  std::vector<const PropertyNode*> stack{tree.Root()};
  while (!stack.empty()) {
    const PropertyNode* node = stack.back();
    stack.pop_back();
    for (PropertyNode* child = node->first_child; child; child = child->next_sibling) {
      ++count;
      stack.push_back(child);
    }
  }
  return count;
}

// Loads the bytes and returns the time it took; the load must succeed.
double LoadSeconds(SpecStore& store, const std::string& bytes) {
  auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(LoadFromBytes(store, bytes));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string PadTo100(std::string bytes) {
  bytes.resize(100, '\0');
  return bytes;
}

TEST(Hardening, HugeChildCountIsCappedByTheBudget) {
  std::string bytes = PadTo100(FileHeader() + RawHeader(kHuge, 0, 0));
  ASSERT_EQ(bytes.size(), 100u);
  SpecStore store;
  EXPECT_LT(LoadSeconds(store, bytes), 1.0);
  // The five real (zero) headers after the root, then phantoms up to the budget.
  std::uint64_t nodes = CountNodes(store.Info());
  EXPECT_GE(nodes, LoadBudget::kMinimumPhantoms);
  EXPECT_LE(nodes, LoadBudget::kMinimumPhantoms + 100 / 16);
}

TEST(Hardening, HugeRecordCountIsCappedByTheBudget) {
  std::string bytes = FileHeader() + Node(0, "") + Section("FUNC", kHuge);
  bytes = PadTo100(bytes);
  SpecStore store;
  EXPECT_LT(LoadSeconds(store, bytes), 2.0);
  EXPECT_LE(store.GetFunctionCount(), LoadBudget::kMinimumPhantoms + 100 / 16);
  EXPECT_GE(store.GetFunctionCount(), 1u);
}

TEST(Hardening, HugeNameAndDataLengthsReadOnlyWhatIsThere) {
  for (bool data : {false, true}) {
    std::string node = data ? RawHeader(0, 1, kHuge) + "n" : RawHeader(0, kHuge, 0);
    std::string bytes = FileHeader() + Node(1, "") + node;
    std::string tail(100 - bytes.size(), 'z');
    bytes += tail;
    SpecStore store;
    EXPECT_LT(LoadSeconds(store, bytes), 1.0);
    PropertyNode* loaded = store.Info().FirstChild(store.Info().Root());
    ASSERT_NE(loaded, nullptr);
    std::string name;
    store.Info().GetName(loaded, name);
    if (data) {
      EXPECT_EQ(name, "n");
      ASSERT_EQ(store.Info().GetDataLength(loaded), tail.size());
    } else {
      EXPECT_EQ(name, tail);
      EXPECT_EQ(store.Info().GetDataLength(loaded), 0u);
    }
    EXPECT_EQ(store.GetFunctionCount(), 0u);
  }
}

TEST(Hardening, HugeRootNameLengthIsSkippedToTheEnd) {
  std::string bytes = PadTo100(FileHeader() + RawHeader(2, kHuge, kHuge));
  SpecStore store;
  EXPECT_LT(LoadSeconds(store, bytes), 1.0);
  EXPECT_EQ(CountNodes(store.Info()), 2u);  // both children past the end
}

TEST(Hardening, BudgetGrowsWithTheFileSoRealNodesAllLoad) {
  // 10000 real empty nodes under a root that declares them: more than the minimum budget,
  // all of them real, so all load; then a huge count of phantoms is cut at the budget.
  std::string bytes = FileHeader() + RawHeader(10000, 0, 0);
  for (int i = 0; i < 10000; ++i) bytes += RawHeader(0, 0, 0);
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  EXPECT_EQ(CountNodes(store.Info()), 10000u);

  std::string phantoms = FileHeader() + RawHeader(kHuge, 0, 0) + std::string(160000, '\0');
  ASSERT_TRUE(LoadFromBytes(store, phantoms));
  std::uint64_t budget = phantoms.size() / 16;
  EXPECT_EQ(CountNodes(store.Info()), 10000u + budget);
}

TEST(Hardening, DeepNestingLoadsSavesAndFreesWithoutRecursion) {
  // 100000 nested nodes, each the only child of the one before.
  std::string bytes = FileHeader() + RawHeader(1, 0, 0);
  for (int i = 0; i < 100000; ++i) bytes += RawHeader(1, 1, 0) + "d";
  bytes += Section("FUNC", 0);  // read as nodes: the chain ends in phantoms
  SpecStore store;
  ASSERT_TRUE(LoadFromBytes(store, bytes));
  EXPECT_GE(CountNodes(store.Info()), 100000u);
  std::string saved = testing::SaveToBytes(store);
  SpecStore again;
  ASSERT_TRUE(LoadFromBytes(again, saved));
  EXPECT_EQ(testing::SaveToBytes(again), saved);
}

TEST(Hardening, SingleTreeLoadHasItsOwnBudget) {
  File file;
  file.OpenMemory(RawHeader(kHuge, 0, 0));
  PropertyTree tree;
  ASSERT_TRUE(tree.LoadTree(&file));
  EXPECT_EQ(CountNodes(tree), LoadBudget::kMinimumPhantoms);
}

}  // namespace
}  // namespace quillmap
