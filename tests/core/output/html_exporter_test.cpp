// The HTML page, checked against its fragments written out here by hand.
#include "core/output/html_exporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/text/concat.h"
#include "core/text/sjis.h"

namespace quillmap {
namespace {

using text::Sjis;

std::string Page(HtmlExporter& exporter) {
  File file;
  file.OpenMemoryWrite();
  EXPECT_TRUE(exporter.Write(&file));
  return file.MemoryBytes();
}

std::string ExportPage(const SpecStore& store) {
  HtmlExporter exporter;
  EXPECT_TRUE(exporter.Attach(&store));
  return Page(exporter);
}

void Append(SpecStore& store, const FunctionSpec& function) {
  ASSERT_NE(store.AddFunction(function.GetRecordName()), ItemList::kAppendFailed);
  ASSERT_TRUE(store.PutFunction(static_cast<std::int32_t>(store.GetFunctionCount()) - 1, function));
}

void Append(SpecStore& store, const StructSpec& structure) {
  ASSERT_NE(store.AddStruct(structure.GetRecordName()), ItemList::kAppendFailed);
  ASSERT_TRUE(store.PutStruct(static_cast<std::int32_t>(store.GetStructCount()) - 1, structure));
}

void Name(FunctionSpec& function, const std::string& name, int attribute = kAttrPublic) {
  function.SetRecordName(name);
  function.SetIndex("heading of " + name);
  function.SetAttribute(attribute);
}

void AppendFunction(SpecStore& store, const std::string& name, int attribute = kAttrPublic) {
  FunctionSpec function;
  Name(function, name, attribute);
  Append(store, function);
}

bool Contains(const std::string& page, const std::string& part) {
  return page.find(part) != std::string::npos;
}

std::size_t CountOf(const std::string& page, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = page.find(part); at != std::string::npos; at = page.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// The whole page of a document without functions and structures.
const char kEmptyPage[] =
    "<HTML><HEAD>\n"
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
    "<META NAME=\"GENERATOR\" content=\"Quillmap 1.0\">\n"
    "<TITLE>title</TITLE></HEAD>\n"
    "<BODY BGCOLOR=#FFFFFF>\n\n"
    "<TABLE WIDTH=100%>\n"
    "<TR><TD>\n"
    "<H4>Copyright</H4>\n"
    "</TD><TD ALIGN=right></TD></TR></TABLE><HR NOSHADE SIZE=5>\n"
    "<DIV align=center><H1>title</H1></DIV><P>\n"
    "</TR></TABLE>\n\n"
    // structure list
    "<!-- 見出し 2,章見出し -->\n"
    "<HR NOSHADE SIZE=5>\n"
    "<A NAME=\"Heading2\">\n"
    "<H3>構造体一覧<HR></H3>\n"
    "<blockquote>\n\n"
    "<TABLE CELLPADDING=0 WIDHT=80%>\n"
    "</TABLE></blockquote><BR>\n"
    // function list
    "<!-- 見出し 2,章見出し --><HR NOSHADE SIZE=5>\n"
    "<A NAME=\"Heading2\">\n"
    "<H3>関数一覧<HR></H3>\n"
    "<blockquote>\n\n"
    "<TABLE CELLPADDING=0 WIDHT=80%>\n"
    "</TABLE></blockquote><BR>\n"
    // structure blocks
    "\n<!--- 構造体仕様一覧 --->\n\n"
    "<HR border=1 width=100%><BR><BR>\n"
    "<CENTER><U><H2>構造体</H2></U></CENTER><P>\n"
    // function blocks
    "\n<!--- 関数仕様一覧 --->\n\n"
    "<HR border=1 width=100%><BR><BR>\n"
    "<CENTER><U><H2>関数</H2></U></CENTER><P>\n"
    // tail
    "<A HREF=\"#Top\">戻る</A><HR><DIV ALIGN=right>\n"
    "Copyright</DIV></BODY></HTML>\n";

TEST(HtmlExporterTest, EmptyDocumentIsHeadListsHeadersAndTail) {
  SpecStore store;
  EXPECT_EQ(ExportPage(store), Sjis(kEmptyPage));
}

TEST(HtmlExporterTest, TitleAndCopyrightInHeadAndTail) {
  SpecStore store;
  ASSERT_TRUE(store.SetDocInfo(kDocInfoTitle, Sjis("仕様書")));
  ASSERT_TRUE(store.SetDocInfo(kDocInfoCopyright, "(C) 2001"));
  const std::string page = ExportPage(store);
  EXPECT_TRUE(page.starts_with(
      Sjis("<HTML><HEAD>\n"
           "<META http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
           "<META NAME=\"GENERATOR\" content=\"Quillmap 1.0\">\n"
           "<TITLE>仕様書</TITLE></HEAD>\n")));
  EXPECT_TRUE(Contains(page, "<H4>(C) 2001</H4>\n"));
  EXPECT_TRUE(Contains(page, Sjis("<DIV align=center><H1>仕様書</H1></DIV><P>\n")));
  EXPECT_TRUE(page.ends_with("<HR><DIV ALIGN=right>\n(C) 2001</DIV></BODY></HTML>\n"));
}

TEST(HtmlExporterTest, FunctionRowAndBlock) {
  FunctionSpec add;
  Name(add, "add");
  add.SetIndex(Sjis("加算する"));
  add.SetReturnType("int");
  add.SetReturnText("sum");
  add.SetExplanation("line 1\nline 2");
  add.SetNote("note");
  add.AddArgument("int", "a", "first");
  add.AddArgument("int", "b", "second");
  add.AddLink("sub");
  SpecStore store;
  Append(store, add);
  const std::string page = ExportPage(store);

  EXPECT_TRUE(Contains(page, Sjis("<TABLE CELLPADDING=0 WIDHT=80%>\n"
                                  "<TR>\n"
                                  "<TD></TD>\n"
                                  "<TD WIDHT=40%><A HREF=#add>add</A><BR></TD>\n"
                                  "<TD WIDHT=30>　　</TD>\n"
                                  "<TD WIDTH=55%>加算する</TD>\n"
                                  "</TR>\n"
                                  "</TABLE></blockquote><BR>\n")));
  // The spacer cell holds two ideographic spaces, 81 40 each.
  EXPECT_TRUE(Contains(page, "<TD WIDHT=30>\x81\x40\x81\x40</TD>\n"));

  const std::string block = Sjis(
      "<CENTER><U><H2>関数</H2></U></CENTER><P>\n"
      "<A NAME = add>\n"
      "<HR NOSHADE SIZE=8>\n"
      "<!-- 関数名 -->\n"
      "<TABLE BORDER=0 WIDTH=100% CELLSPACING=0 CELLPADDING=0>\n"
      "<TR>\n"
      "<TD VALIGN=BOTTOM><H1>add</H1></TD>\n"
      "<TD align=right valign=bottom><A HREF=#top>戻る</A></TD>\n"
      "</TR>\n"
      "<TR>\n"
      "<TD colspan=2 bgcolor=#336699 HEIGHT=4></TD>\n"
      "</TR>\n"
      "</TABLE>\n"
      "<!-- 関数説明 -->\n"
      "<DIV ALIGN=right>加算する</DIV><P>\n"
      "<!-- 形式 -->\n"
      "<B>形式</B>\n"
      "<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n"
      "<BLOCKQUOTE><BLOCKQUOTE>\n"
      "<PRE>\n"
      "int <B>add</B>(\n"
      "    int <I>a<B> ,</B></I>\n"
      "    int <I>b</I>\n"
      ")\n"
      "</PRE></BLOCKQUOTE></BLOCKQUOTE>\n"
      "<!-- 引数 -->\n"
      "<B>引数</B>\n"
      "<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n"
      "<BLOCKQUOTE>\n"
      "<BLOCKQUOTE>\n"
      "<TABLE CELLPADDING=0 CELLSPACING=0 BORDER=0>\n"
      "<TR>\n<TD><I>a<I></TD>\n<TD WIDTH=64></TD>\n<TD><I>first<I></TD>\n</TR>\n"
      "<TR>\n<TD><I>b<I></TD>\n<TD WIDTH=64></TD>\n<TD><I>second<I></TD>\n</TR>\n"
      "</TABLE>\n"
      "</BLOCKQUOTE>\n"
      "</BLOCKQUOTE>\n"
      "<!-- 返り値 -->\n"
      "<B>返り値</B>\n"
      "<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n"
      "<BLOCKQUOTE><BLOCKQUOTE><PRE>\n"
      "sum\n</PRE>\n"
      "</BLOCKQUOTE></BLOCKQUOTE>\n"
      "<!-- 解説 -->\n"
      "<B>解説</B>\n"
      "<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n"
      "<BLOCKQUOTE><BLOCKQUOTE><PRE>\n"
      "line 1\nline 2\n</PRE>\n"
      "</BLOCKQUOTE></BLOCKQUOTE>\n"
      "<!-- 備考 -->\n"
      "<B>備考</B>\n"
      "<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n"
      "<BLOCKQUOTE><BLOCKQUOTE><PRE>\n"
      "note\n</PRE>\n"
      "</BLOCKQUOTE></BLOCKQUOTE>\n"
      "<!-- 関連項目 -->\n"
      "<B>関連項目</B>\n"
      "<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n"
      "<BLOCKQUOTE>\n"
      "<BLOCKQUOTE>\n"
      "<TABLE CELLPADDING=0 CELLSPACING=0 BORDER=0>\n"
      "<TR><TD WIDTH=480><A HREF=#sub>sub</A></TD></TR></TABLE>\n"
      "</BLOCKQUOTE>\n"
      "</BLOCKQUOTE>\n"
      "\n"
      "<A HREF=\"#Top\">戻る</A>");
  EXPECT_TRUE(Contains(page, block)) << page;
}

TEST(HtmlExporterTest, FunctionWithoutArgumentsAndEmptyTexts) {
  FunctionSpec f;
  Name(f, "f");
  f.SetReturnType("int");
  SpecStore store;
  Append(store, f);
  const std::string page = ExportPage(store);
  EXPECT_TRUE(Contains(page, "<PRE>\nint <B>f</B>( <I>void</I> )\n</PRE>"));
  EXPECT_TRUE(Contains(page, Sjis("<BLOCKQUOTE>\n<BLOCKQUOTE>\nなし\n</BLOCKQUOTE>\n</BLOCKQUOTE>\n"
                                  "<!-- 返り値 -->\n")));
  // The explanation is written even when empty; the empty note is left out whole.
  EXPECT_TRUE(Contains(page, Sjis("<B>解説</B>\n<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n"
                                  "<BLOCKQUOTE><BLOCKQUOTE><PRE>\n\n</PRE>\n"
                                  "</BLOCKQUOTE></BLOCKQUOTE>\n<!-- 関連項目 -->")));
  EXPECT_FALSE(Contains(page, Sjis("備考")));
  EXPECT_TRUE(Contains(page, Sjis("<BLOCKQUOTE>\n<BLOCKQUOTE>\nなし\n</BLOCKQUOTE>\n</BLOCKQUOTE>\n"
                                  "\n<A HREF=\"#Top\">")));
}

TEST(HtmlExporterTest, StructureWithoutMembersAndWithMembers) {
  StructSpec empty;
  empty.SetRecordName("EMPTY");
  StructSpec point;
  point.SetRecordName("POINT");
  point.SetIndex(Sjis("座標"));
  point.AddMember("int", "x", "horizontal");
  point.AddMember("int", "y", "vertical");
  SpecStore store;
  Append(store, empty);
  Append(store, point);
  const std::string page = ExportPage(store);

  EXPECT_TRUE(Contains(page, Sjis("<PRE>\ntypedef struct{ <I>?{/I> } <B>EMPTY</B>\n</PRE>")));
  EXPECT_TRUE(Contains(page, Sjis("<B>引数</B>\n<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n"
                                  "<BLOCKQUOTE>\n<BLOCKQUOTE>\nnomember ( is error )\n"
                                  "</BLOCKQUOTE>\n</BLOCKQUOTE>\n<!-- 解説 -->")));
  EXPECT_TRUE(Contains(page,
                       "<PRE>\ntypedef struct{\n"
                       "    int <I>x<B> ,</B></I>\n"
                       "    int <I>y</I>\n"
                       "} <B>POINT</B>\n</PRE>"));
  EXPECT_TRUE(Contains(page,
                       "<TR>\n<TD><I>y<I></TD>\n<TD WIDTH=64></TD>\n"
                       "<TD><I>vertical<I></TD>\n</TR>\n</TABLE>\n"));
  EXPECT_TRUE(Contains(page, Sjis("<!-- 構造体名 -->\n")));
  EXPECT_TRUE(Contains(page, Sjis("<!-- 構造体説明 -->\n<DIV ALIGN=right>座標</DIV><P>\n")));
  // Structures have no return section.
  EXPECT_FALSE(Contains(page, Sjis("返り値")));
  // Both structures are listed, in document order.
  const std::size_t empty_row = page.find("<A HREF=#EMPTY>EMPTY</A>");
  const std::size_t point_row = page.find("<A HREF=#POINT>POINT</A>");
  ASSERT_NE(empty_row, std::string::npos);
  ASSERT_NE(point_row, std::string::npos);
  EXPECT_LT(empty_row, point_row);
  EXPECT_LT(page.find("<A NAME = EMPTY>"), page.find("<A NAME = POINT>"));
}

TEST(HtmlExporterTest, AttributeFilter) {
  SpecStore store;
  AppendFunction(store, "pub", kAttrPublic);
  AppendFunction(store, "stat", kAttrStatic);
  AppendFunction(store, "inl", kAttrInline);
  // Refers to "stat", which is filtered out below: the link stays.
  FunctionSpec linker;
  Name(linker, "linker", kAttrPrivate);
  linker.AddLink("stat");
  Append(store, linker);
  StructSpec structure;
  structure.SetRecordName("S");
  Append(store, structure);
  // "Inline " with a blank and capitals is no attribute word: it counts as public.
  {
    FunctionSpec odd;
    Name(odd, "odd");
    PropertyNode* value = odd.FirstChild(odd.FindTop(key::kFuncAttr));
    ASSERT_NE(value, nullptr);
    ASSERT_TRUE(odd.SetName(value, "Inline "));
    Append(store, odd);
  }

  HtmlExporter exporter;
  ASSERT_TRUE(exporter.Attach(&store));
  for (unsigned slot = 0; slot < 5; ++slot) EXPECT_EQ(exporter.IsAttributeEnabled(slot), 1);
  EXPECT_FALSE(exporter.SetAttributeFlag(5, 1));
  EXPECT_EQ(exporter.IsAttributeEnabled(5), 0);

  ASSERT_TRUE(exporter.SetAttributeFlag(kAttrStatic, 0));
  std::string page = Page(exporter);
  for (const char* name : {"pub", "inl", "linker", "odd"}) {
    EXPECT_EQ(CountOf(page, std::string("<A HREF=#") + name + ">"), 1u) << name;
    EXPECT_TRUE(Contains(page, std::string("<A NAME = ") + name + ">\n")) << name;
  }
  EXPECT_FALSE(Contains(page, "<A NAME = stat>"));
  EXPECT_EQ(CountOf(page, "<A HREF=#stat>stat</A>"), 1u);  // the link of "linker" only

  ASSERT_TRUE(exporter.SetAttributeFlag(kAttrPublic, 0));
  page = Page(exporter);
  EXPECT_FALSE(Contains(page, "<A NAME = pub>"));
  EXPECT_FALSE(Contains(page, "<A NAME = odd>"));
  EXPECT_TRUE(Contains(page, "<A NAME = inl>"));

  for (unsigned slot = 0; slot < 5; ++slot) ASSERT_TRUE(exporter.SetAttributeFlag(slot, 0));
  page = Page(exporter);
  EXPECT_TRUE(Contains(page, Sjis("<H3>関数一覧<HR></H3>\n<blockquote>\n\n"
                                  "<TABLE CELLPADDING=0 WIDHT=80%>\n</TABLE>")));
  EXPECT_TRUE(Contains(page, Sjis("<CENTER><U><H2>関数</H2></U></CENTER><P>\n"
                                  "<A HREF=\"#Top\">")));
  EXPECT_TRUE(Contains(page, "<A NAME = S>\n"));
  EXPECT_TRUE(Contains(page, "<A HREF=#S>S</A>"));
}

TEST(HtmlExporterTest, LinkSeparators) {
  FunctionSpec one;
  Name(one, "one");
  one.AddLink("x");
  FunctionSpec three;
  Name(three, "three");
  three.AddLink("a");
  three.AddLink("b");
  three.AddLink("c");
  SpecStore store;
  Append(store, one);
  Append(store, three);
  const std::string page = ExportPage(store);
  EXPECT_TRUE(Contains(page, "<TR><TD WIDTH=480><A HREF=#x>x</A></TD></TR></TABLE>\n"));
  EXPECT_TRUE(Contains(page,
                       "<TR><TD WIDTH=480><A HREF=#a>a</A>,  <A HREF=#b>b</A>,  "
                       "<A HREF=#c>c</A></TD></TR></TABLE>\n"));
}

TEST(HtmlExporterTest, ValuesAreNotEscaped) {
  FunctionSpec f;
  Name(f, "a<b&c");
  f.SetIndex("x > y & z");
  f.SetExplanation("<script>&amp;");
  f.AddLink("l<&");
  SpecStore store;
  Append(store, f);
  const std::string page = ExportPage(store);
  EXPECT_TRUE(Contains(page, "<TD WIDHT=40%><A HREF=#a<b&c>a<b&c</A><BR></TD>\n"));
  EXPECT_TRUE(Contains(page, "<A NAME = a<b&c>\n"));
  EXPECT_TRUE(Contains(page, "<TD VALIGN=BOTTOM><H1>a<b&c</H1></TD>\n"));
  EXPECT_TRUE(Contains(page, "<DIV ALIGN=right>x > y & z</DIV><P>\n"));
  EXPECT_TRUE(Contains(page, "<PRE>\n<script>&amp;\n</PRE>\n"));
  EXPECT_TRUE(Contains(page, "<A HREF=#l<&>l<&</A>"));
}

// Records every fragment handed to the file.
class RecordingExporter : public HtmlExporter {
 public:
  std::vector<std::string> fragments;

 protected:
  void WriteFragment(File& file, std::string_view fragment) override {
    fragments.emplace_back(fragment);
    HtmlExporter::WriteFragment(file, fragment);
  }
};

TEST(HtmlExporterTest, SixWritesInOrder) {
  SpecStore store;
  AppendFunction(store, "f");
  StructSpec s;
  s.SetRecordName("S");
  Append(store, s);
  RecordingExporter exporter;
  ASSERT_TRUE(exporter.Attach(&store));
  const std::string page = Page(exporter);
  ASSERT_EQ(exporter.fragments.size(), 6u);
  std::string joined;
  for (const std::string& fragment : exporter.fragments) joined += fragment;
  EXPECT_EQ(joined, page);

  EXPECT_TRUE(exporter.fragments[0].starts_with("<HTML><HEAD>\n"));
  EXPECT_TRUE(exporter.fragments[0].ends_with("</TR></TABLE>\n\n"));
  // The structure list's comment ends its line; the function list's is followed on the same line.
  EXPECT_TRUE(exporter.fragments[1].starts_with(
      Sjis("<!-- 見出し 2,章見出し -->\n<HR NOSHADE SIZE=5>\n<A NAME=\"Heading2\">\n"
           "<H3>構造体一覧")));
  EXPECT_TRUE(exporter.fragments[2].starts_with(
      Sjis("<!-- 見出し 2,章見出し --><HR NOSHADE SIZE=5>\n<A NAME=\"Heading2\">\n"
           "<H3>関数一覧")));
  EXPECT_TRUE(exporter.fragments[3].starts_with(Sjis("\n<!--- 構造体仕様一覧 --->\n\n")));
  EXPECT_TRUE(exporter.fragments[3].ends_with("</BLOCKQUOTE>\n\n"));
  EXPECT_TRUE(exporter.fragments[4].starts_with(Sjis("\n<!--- 関数仕様一覧 --->\n\n")));
  EXPECT_TRUE(exporter.fragments[5].starts_with(Sjis("<A HREF=\"#Top\">戻る</A>")));
}

TEST(HtmlExporterTest, LargePageStreamsInPiecesAndMissesNothing) {
  // About 4 MB of blocks: the blocks fragment reaches the file in pieces, each a few hundred
  // kilobytes, never the whole fragment at once.
  SpecStore store;
  constexpr int kFunctions = 2000;
  for (int i = 0; i < kFunctions; ++i) {
    FunctionSpec function;
    function.SetRecordName(text::Concat({"F", std::to_string(i)}));
    function.SetExplanation(std::string(2000, 'e'));
    Append(store, function);
  }
  RecordingExporter exporter;
  ASSERT_TRUE(exporter.Attach(&store));
  const std::string page = Page(exporter);
  ASSERT_GT(exporter.fragments.size(), 6u);
  std::string joined;
  std::size_t largest = 0;
  for (const std::string& fragment : exporter.fragments) {
    joined += fragment;
    largest = std::max(largest, fragment.size());
  }
  EXPECT_EQ(joined, page);
  EXPECT_LT(largest, std::size_t{512} * 1024);
  EXPECT_TRUE(page.starts_with("<HTML><HEAD>\n"));
  EXPECT_TRUE(page.ends_with("</BODY></HTML>\n"));
  // Every function listed and specified once, in order.
  std::size_t row = 0;
  std::size_t block = 0;
  for (int i = 0; i < kFunctions; ++i) {
    const std::string name = text::Concat({"F", std::to_string(i)});
    row = page.find("<A HREF=#" + name + ">" + name + "</A>", row);
    block = page.find("<A NAME = " + name + ">\n", block);
    ASSERT_NE(row, std::string::npos) << name;
    ASSERT_NE(block, std::string::npos) << name;
    EXPECT_LT(row, block);
  }
  EXPECT_EQ(page.find("<A NAME = F0>\n", block), std::string::npos);
}

TEST(HtmlExporterTest, NullFileAndNullStore) {
  HtmlExporter exporter;
  EXPECT_FALSE(exporter.Write(nullptr));
  EXPECT_FALSE(exporter.Attach(nullptr));
  EXPECT_EQ(exporter.GetDocInfo(kDocInfoTitle), "");
  FunctionSpec out;
  EXPECT_FALSE(exporter.GetFunction(0, out));
}

TEST(HtmlExporterTest, AttachCopiesRecordsInOrder) {
  SpecStore store;
  AppendFunction(store, "first");
  AppendFunction(store, "second");
  HtmlExporter exporter;
  ASSERT_TRUE(exporter.Attach(&store));
  EXPECT_EQ(exporter.GetFunctionCount(), 2u);
  EXPECT_EQ(exporter.GetStructCount(), 0u);
  FunctionSpec out;
  ASSERT_TRUE(exporter.GetFunction(1, out));
  EXPECT_EQ(out.GetRecordName(), "second");
  EXPECT_FALSE(exporter.GetFunction(2, out));
  StructSpec structure;
  EXPECT_FALSE(exporter.GetStruct(0, structure));
  // The copies are the exporter's own: later changes of the store don't reach them.
  ASSERT_TRUE(store.RemoveFunction(0));
  ASSERT_TRUE(exporter.GetFunction(0, out));
  EXPECT_EQ(out.GetRecordName(), "first");
}

TEST(HtmlExporterTest, LargeValuesGoToTheFileWithoutBeingCollected) {
  // A name and an explanation larger than a piece: each goes to the file as it is, so that no
  // fragment holds one twice, and the page is the same as ever.
  const std::string name(300000, 'n');
  SpecStore store;
  AppendFunction(store, name);
  FunctionSpec function;
  ASSERT_TRUE(store.GetFunction(0, function));
  function.SetExplanation(std::string(400000, 'e'));
  ASSERT_TRUE(store.PutFunction(0, function));
  RecordingExporter exporter;
  ASSERT_TRUE(exporter.Attach(&store));
  const std::string page = Page(exporter);
  for (const std::string& fragment : exporter.fragments) {
    EXPECT_LE(fragment.size(), 400000u);
    const std::size_t first = fragment.find(name);
    EXPECT_TRUE(first == std::string::npos || fragment.find(name, first + 1) == std::string::npos);
  }
  EXPECT_TRUE(Contains(page, "<TD WIDHT=40%><A HREF=#" + name + ">" + name + "</A><BR></TD>\n"));
  EXPECT_TRUE(Contains(page, "<TD VALIGN=BOTTOM><H1>" + name + "</H1></TD>\n"));
  EXPECT_TRUE(Contains(page, "<PRE>\n" + std::string(400000, 'e') + "\n</PRE>\n"));
}

}  // namespace
}  // namespace quillmap
