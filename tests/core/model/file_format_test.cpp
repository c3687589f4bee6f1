// The .dcm bytes: what a save writes and how a load reads well-formed, odd and truncated files.
#include <gtest/gtest.h>

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
