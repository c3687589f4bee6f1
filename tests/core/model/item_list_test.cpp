// ItemList and RecordList: order, index access past the end, and who releases items.
#include "core/model/item_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/model/spec_record.h"

namespace quillmap {
namespace {

class RecordingList : public ItemList {
 public:
  explicit RecordingList(std::vector<void*>& released) : released_(released) {}
  ~RecordingList() override { RemoveAll(); }

 protected:
  void ReleaseItem(void* item) override { released_.push_back(item); }

 private:
  std::vector<void*>& released_;
};

TEST(ItemList, AppendGetAndRemove) {
  std::vector<void*> released;
  int a = 0, b = 0, c = 0;
  {
    RecordingList list(released);
    EXPECT_EQ(list.Append(&a), 1u);
    EXPECT_EQ(list.Append(&b), 2u);
    EXPECT_EQ(list.Append(&c), 3u);
    EXPECT_EQ(list.GetAt(1), &b);
    EXPECT_EQ(list.GetAt(3), nullptr);  // index equal to the count
    EXPECT_FALSE(list.RemoveAt(3));
    EXPECT_TRUE(released.empty());

    EXPECT_TRUE(list.RemoveAt(0));
    EXPECT_EQ(released, std::vector<void*>{&a});
    EXPECT_EQ(list.GetAt(0), &b);
    EXPECT_EQ(list.GetCount(), 2u);
  }
  // The destructor releases what is left, in list order.
  EXPECT_EQ(released, (std::vector<void*>{&a, &b, &c}));
}

TEST(ItemList, RemoveAllEmptiesTheList) {
  std::vector<void*> released;
  RecordingList list(released);
  int a = 0;
  list.Append(&a);
  list.Append(&a);
  list.RemoveAll();
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_EQ(released.size(), 2u);
  EXPECT_EQ(list.Append(&a), 1u);
}

TEST(RecordList, OwnsAndDeletesItsRecords) {
  // Under the sanitizers a record that isn't deleted shows as a leak.
  RecordList list;
  list.Append(new FunctionSpec);
  list.Append(new FunctionSpec);
  ASSERT_TRUE(list.RemoveAt(0));
  EXPECT_EQ(list.GetRecord(0)->GetRecordName(), "default");
  EXPECT_EQ(list.GetRecord(1), nullptr);
}

}  // namespace
}  // namespace quillmap
