// Opening a document, clicking through every function and saving keeps the bytes of every text
// the user did not edit, including duplicate codes (NEC and IBM rows that show as the same
// character as another code) and bytes that are not Shift-JIS at all.

#include <gtest/gtest.h>

#include "core/model/history.h"
#include "core/text/sjis.h"
#include "form_fixture.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

// Texts whose bytes differ from the canonical encoding of what they show.
const std::string kNecIbm = "\xED\x40";       // NEC-selected IBM row; shows like FA 5C
const std::string kIbm = "\xFA\x5C";          // IBM row, canonical for the same character
const std::string kNecRow13 = "\x87\x90";     // NEC row 13; shows like 81 E0
const std::string kNecIbmRoman = "\xEE\xEF";  // small roman one, also at FA 40
const std::string kInvalid = std::string("\x80") + "\xA0" + "\xFD" + "\x81\x20" + "\xFF";
const std::string kLoneLead = "\x82";  // a lead byte at the end of the text

std::string Mixed(const std::string& prefix) {
  return prefix + kNecIbm + "/" + kIbm + " " + kNecRow13 + kNecIbmRoman + kInvalid + "\r\n" + "x" +
         kLoneLead;
}

TEST(SjisFieldTest, TheTestTextsReallyNeedTheirOriginalBytes) {
  // If these decoded and re-encoded to themselves, the round trip below would prove nothing.
  EXPECT_FALSE(quillmap::text::RoundTrips(kNecIbm));
  EXPECT_FALSE(quillmap::text::RoundTrips(kNecRow13));
  EXPECT_FALSE(quillmap::text::RoundTrips(kNecIbmRoman));
  EXPECT_EQ(SjisToWx(kNecIbm), SjisToWx(kIbm));
  EXPECT_TRUE(quillmap::text::RoundTrips(kIbm));
}

TEST(SjisFieldTest, ShownBytesGiveBackOriginalsUntilEdited) {
  ShownBytes shown;
  const wxString text = shown.Show(kNecIbm);
  EXPECT_EQ(shown.Read(text).bytes, kNecIbm);
  // The same character typed anew is written with the canonical code.
  EXPECT_EQ(shown.Read(text + "a").bytes, kIbm + "a");
  EXPECT_FALSE(shown.Read(wxString::FromUTF8("\u2603")).ok);
}

using RoundTripTest = FormTest;

TEST_F(RoundTripTest, ClickingThroughEveryFunctionAndSavingKeepsTheBytes) {
  // Records built as the form writes them (key order, links in the list's sorted order, dates
  // at midnight), so that an unedited round trip must give back the file byte for byte.
  quillmap::SpecStore store;
  store.SetDocInfo(quillmap::kDocInfoTitle, Mixed("title"));
  const int kFunctions = 4;
  for (int i = 0; i < kFunctions; ++i) {
    const std::string name = "func" + std::to_string(i) + kNecIbm + kInvalid;
    store.AddFunction(name);
    quillmap::FunctionSpec f;
    ASSERT_TRUE(store.GetFunction(i, f));
    f.SetIndex(Mixed("heading"));
    f.SetAttribute(i % quillmap::kFuncAttributeCount);
    f.AddArgument(Mixed("type"), Mixed("name"), Mixed("description"));
    f.AddArgument("int", kNecRow13, "");
    f.SetReturnType(Mixed("ret") + std::to_string(i));
    f.SetReturnText(Mixed("returns"));
    f.SetExplanation(Mixed("explanation") + "\r\nline two\r\n");
    f.SetNote(Mixed("note"));
    f.AddLink("a" + kNecIbm);
    f.AddLink("b" + kInvalid);
    f.AddHistory(LocalMidnight(2003, 4, 1), Mixed("comment one "));
    f.AddHistory(LocalMidnight(1999, 12, 31), kNecIbmRoman + "  two");
    ASSERT_TRUE(store.PutFunction(i, f));
  }
  store.AddStruct("S" + kNecIbm);
  const std::string path = WriteDocument(store, "bytes.dcm");
  const std::string original = ReadFile(path);

  CFuncDoc* doc = OpenDocument(path);
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(view->FunctionList()->GetItemCount(), kFunctions);
  for (int i = 0; i < kFunctions; ++i) {
    ClickItem(view->FunctionList(), i);
    ASSERT_EQ(view->NameEdit()->GetBytes().bytes, "func" + std::to_string(i) + kNecIbm + kInvalid);
  }
  ClickItem(view->FunctionList(), 0);
  ASSERT_TRUE(view->StoreFunction());
  // A store of the texts shown is no change: the record keeps its bytes. The save still writes.
  EXPECT_FALSE(doc->IsModified());
  doc->Modify(true);
  ASSERT_TRUE(doc->Save());

  const std::string saved = ReadFile(path);
  EXPECT_EQ(saved.size(), original.size());
  EXPECT_TRUE(saved == original) << "the saved file differs from the original";

  // Field by field, for a readable failure.
  quillmap::SpecStore reread;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(reread, path));
  quillmap::FunctionSpec f;
  ASSERT_TRUE(reread.GetFunction(2, f));
  EXPECT_EQ(f.GetIndex(), Mixed("heading"));
  EXPECT_EQ(f.GetExplanation(), Mixed("explanation") + "\r\nline two\r\n");
  EXPECT_EQ(f.GetReturnType(), Mixed("ret") + "2");
  std::string type, name, description;
  ASSERT_TRUE(f.GetArgument(0, type, name, description));
  EXPECT_EQ(description, Mixed("description"));
  EXPECT_EQ(f.GetLink(1), "b" + kInvalid);
  std::time_t date = 0;
  std::string comment;
  ASSERT_TRUE(f.GetHistory(1, date, comment));
  EXPECT_EQ(comment, kNecIbmRoman + "  two");
}

TEST_F(RoundTripTest, AnEditedFieldIsWrittenCanonicallyAndOthersKeepTheirBytes) {
  quillmap::SpecStore store;
  store.AddFunction("f");
  quillmap::FunctionSpec f;
  ASSERT_TRUE(store.GetFunction(0, f));
  f.SetIndex(kNecIbm);
  f.SetNote(kNecIbm);
  ASSERT_TRUE(store.PutFunction(0, f));
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "edit.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_TRUE(view->ShowFunction(0));

  view->HeadingEdit()->ChangeValue(view->HeadingEdit()->GetValue() + "!");
  ASSERT_TRUE(view->StoreFunction());
  quillmap::FunctionSpec stored;
  ASSERT_TRUE(doc->GetFunction(0, stored));
  EXPECT_EQ(stored.GetIndex(), kIbm + "!");
  EXPECT_EQ(stored.GetNote(), kNecIbm);

  // Picking the shown return type back from the list keeps its bytes too.
  view->ReturnTypeCombo()->ChangeValue("int");
  view->ReturnTypeCombo()->ChangeValue(SjisToWx("void"));
  ASSERT_TRUE(view->StoreFunction());
  ASSERT_TRUE(doc->GetFunction(0, stored));
  EXPECT_EQ(stored.GetReturnType(), "void");
}

}  // namespace
