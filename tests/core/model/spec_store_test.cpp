// SpecStore's record lists: adding, finding, copying out and in, removing.
#include "core/model/spec_store.h"

#include <gtest/gtest.h>

namespace quillmap {
namespace {

TEST(SpecStore, AddFunctionAppendsWithDefaultsAndName) {
  SpecStore store;
  EXPECT_EQ(store.AddFunction("open"), 1u);
  EXPECT_EQ(store.AddFunction("close"), 2u);
  FunctionSpec function;
  ASSERT_TRUE(store.GetFunction(1, function));
  EXPECT_EQ(function.GetRecordName(), "close");
  EXPECT_EQ(function.GetReturnType(), "void");
}

TEST(SpecStore, FindFunction) {
  SpecStore store;
  EXPECT_EQ(store.FindFunction("a"), -1);
  store.AddFunction("a");
  store.AddFunction("b");
  store.AddFunction("b");
  EXPECT_EQ(store.FindFunction("b"), 1);  // the first of two
  EXPECT_EQ(store.FindFunction("B"), -1);
  EXPECT_EQ(store.FindFunction("a "), -1);
}

TEST(SpecStore, FindFunctionAndFindStructFindNamesWithSlashes) {
  SpecStore store;
  store.AddFunction("a");
  store.AddFunction("read/write");
  store.AddStruct("pair/list");
  EXPECT_EQ(store.FindFunction("read/write"), 1);
  EXPECT_EQ(store.FindFunction("read"), -1);
  EXPECT_EQ(store.FindStruct("pair/list"), 0);
  EXPECT_EQ(store.FindStruct("/"), -1);
  store.AddFunction("/");
  store.AddFunction("");
  EXPECT_EQ(store.FindFunction("/"), 2);
  EXPECT_EQ(store.FindFunction(""), 3);
}

TEST(SpecStore, FindLooksAtTheNameKeyOnly) {
  SpecStore store;
  store.AddFunction("f");
  FunctionSpec function;
  store.GetFunction(0, function);
  function.SetIndex("g");
  function.AddLink("h");
  store.PutFunction(0, function);
  EXPECT_EQ(store.FindFunction("g"), -1);
  EXPECT_EQ(store.FindFunction("h"), -1);
  EXPECT_EQ(store.FindFunction("f"), 0);
}

TEST(SpecStore, FunctionsAndStructuresAreSeparateNameSpaces) {
  SpecStore store;
  store.AddFunction("x");
  store.AddStruct("y");
  store.AddStruct("x");
  EXPECT_EQ(store.FindFunction("x"), 0);
  EXPECT_EQ(store.FindStruct("x"), 1);
  EXPECT_EQ(store.FindFunction("y"), -1);
}

TEST(SpecStore, RemoveMovesLaterRecordsUp) {
  SpecStore store;
  store.AddFunction("a");
  store.AddFunction("b");
  store.AddFunction("c");
  EXPECT_TRUE(store.RemoveFunction(0));
  EXPECT_EQ(store.FindFunction("b"), 0);
  EXPECT_EQ(store.GetFunctionCount(), 2u);
  EXPECT_FALSE(store.RemoveFunction(2));
  EXPECT_FALSE(store.RemoveFunction(-1));
  EXPECT_EQ(store.GetFunctionCount(), 2u);
  store.AddStruct("s");
  EXPECT_FALSE(store.RemoveStruct(1));
  EXPECT_TRUE(store.RemoveStruct(0));
  EXPECT_EQ(store.GetStructCount(), 0u);
}

TEST(SpecStore, GetAndPutWorkOnDeepCopies) {
  SpecStore store;
  store.AddFunction("f");
  FunctionSpec copy;
  ASSERT_TRUE(store.GetFunction(0, copy));
  copy.SetNote("changed outside");
  FunctionSpec again;
  store.GetFunction(0, again);
  EXPECT_EQ(again.GetNote(), "");

  ASSERT_TRUE(store.PutFunction(0, copy));
  copy.SetNote("changed after put");
  store.GetFunction(0, again);
  EXPECT_EQ(again.GetNote(), "changed outside");
}

TEST(SpecStore, GetAndPutRefuseMissingIndexes) {
  SpecStore store;
  FunctionSpec function;
  function.SetRecordName("mine");
  EXPECT_FALSE(store.GetFunction(0, function));
  EXPECT_FALSE(store.GetFunction(-1, function));
  EXPECT_EQ(function.GetRecordName(), "mine");
  EXPECT_FALSE(store.PutFunction(0, function));
  StructSpec structure;
  EXPECT_FALSE(store.GetStruct(0, structure));
  EXPECT_FALSE(store.PutStruct(-5, structure));
}

TEST(SpecStore, StructRoundTripThroughPutAndGet) {
  SpecStore store;
  store.AddStruct("point");
  StructSpec structure;
  store.GetStruct(0, structure);
  structure.AddMember("int", "x", "");
  ASSERT_TRUE(store.PutStruct(0, structure));
  StructSpec read;
  ASSERT_TRUE(store.GetStruct(0, read));
  EXPECT_EQ(read.GetMemberCount(), 1u);
  EXPECT_EQ(read.GetRecordName(), "point");
}

TEST(SpecStore, DocInfoGoesThroughTheStore) {
  SpecStore store;
  EXPECT_EQ(store.GetDocInfo(kDocInfoTitle), "title");
  EXPECT_TRUE(store.SetDocInfo(kDocInfoCopyright, "(c)"));
  EXPECT_EQ(store.Info().GetDocInfo(kDocInfoCopyright), "(c)");
  EXPECT_FALSE(store.SetDocInfo(7, "x"));
}

}  // namespace
}  // namespace quillmap
