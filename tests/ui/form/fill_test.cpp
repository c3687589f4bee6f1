// Filling the form from large documents: the return-type list keeps the platform's sorted order
// however it is filled, a long argument list is shown and stored whole and in order, and the
// lists show the document's names.

#include <gtest/gtest.h>

#include <gtk/gtk.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <wx/combobox.h>
#include <wx/uiaction.h>

#include "core/text/concat.h"
#include "form_fixture.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"
#include "ui/widgets/slow_progress.h"

namespace {

class FillTest : public FormTest {};

std::vector<wxString> Entries(const wxItemContainerImmutable& box) {
  std::vector<wxString> texts;
  for (unsigned int i = 0; i < box.GetCount(); ++i) texts.push_back(box.GetString(i));
  return texts;
}

// Letter case, equal keys, digits, punctuation, full- and half-width and Japanese texts.
const char* const kTypes[] = {"int",   "POINT",  "RECT", "char*", "CHAR",  "_x",   "Zeta",
                              "alpha", "Alpha",  "a b",  "a-b",   "10",    "9",    "構造体",
                              "ｶﾅ",    "ＡＢＣ", "abc",  "ABC",   "関数*", "void", "Void"};

TEST_F(FillTest, ReturnTypeListSortsLikeThePlatformsSortedComboBox) {
  auto* native = new wxComboBox(frame_, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                nullptr, wxCB_DROPDOWN | wxCB_SORT);
  auto* one_by_one = new SjisComboBox(frame_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                      wxCB_DROPDOWN | wxCB_SORT);
  auto* at_once = new SjisComboBox(frame_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                   wxCB_DROPDOWN | wxCB_SORT);
  std::vector<std::string> bytes;
  for (const char* type : kTypes) {
    native->Append(wxString::FromUTF8(type));
    one_by_one->AppendBytes(Sjis(type));
    bytes.push_back(Sjis(type));
  }
  at_once->AppendBytes(bytes);
  const std::vector<wxString> expected = Entries(*native);
  ASSERT_EQ(expected.size(), std::size(kTypes));
  EXPECT_EQ(Entries(*one_by_one), expected);
  EXPECT_EQ(Entries(*at_once), expected);

  // Entries keep their bytes; deleting and adding keep the order.
  const int char_entry = at_once->FindString("char*", true);
  ASSERT_NE(char_entry, wxNOT_FOUND);
  EXPECT_EQ(at_once->EntryBytes(static_cast<unsigned int>(char_entry)), "char*");
  at_once->Delete(static_cast<unsigned int>(char_entry));
  native->Delete(static_cast<unsigned int>(native->FindString("char*", true)));
  at_once->AppendBytes(std::vector<std::string>{"char*", "Beta"});
  native->Append("char*");
  native->Append("Beta");
  EXPECT_EQ(Entries(*at_once), Entries(*native));
  for (wxWindow* window : std::initializer_list<wxWindow*>{native, one_by_one, at_once}) {
    window->Destroy();
  }
}

TEST_F(FillTest, LongArgumentListIsShownAndStoredWhole) {
  constexpr int kArguments = 3000;
  quillmap::FunctionSpec function;
  function.SetRecordName("many");
  for (int i = 0; i < kArguments; ++i) {
    function.AddArgument("type" + std::to_string(i), "arg" + std::to_string(i),
                         Sjis("説明") + std::to_string(i));
  }
  quillmap::SpecStore store;
  store.AddFunction("many");
  store.PutFunction(0, function);
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "many.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->ShowFunction(0));
  SjisListCtrl* list = view->ArgumentList();
  ASSERT_EQ(list->GetItemCount(), kArguments);
  for (long row : {0L, 1L, static_cast<long>(kArguments) - 1}) {
    EXPECT_EQ(list->GetCellBytes(row, 0), "type" + std::to_string(row));
    EXPECT_EQ(list->GetItemText(row, 1), "arg" + std::to_string(row));
    EXPECT_EQ(list->GetItemText(row, 2), wxString::FromUTF8("説明") + std::to_string(row));
  }

  ASSERT_TRUE(view->StoreFunction());
  quillmap::FunctionSpec stored;
  ASSERT_TRUE(doc->GetFunction(0, stored));
  ASSERT_EQ(stored.GetArgumentCount(), static_cast<std::uint32_t>(kArguments));
  std::string type, name, description;
  ASSERT_TRUE(stored.GetArgument(kArguments - 1, type, name, description));
  EXPECT_EQ(name, "arg" + std::to_string(kArguments - 1));
  EXPECT_EQ(description, Sjis("説明") + std::to_string(kArguments - 1));
}

TEST_F(FillTest, ListsShowTheNamesTheRecordsGive) {
  // A function whose name key comes after others and whose return type is a structure's name:
  // the lists take the record's values, and the return-type list offers each text once.
  quillmap::SpecStore store;
  store.AddFunction("plain");
  quillmap::FunctionSpec late;
  late.Clear();
  late.AddChild(late.AddChild(nullptr, "return"), "POINT");
  late.AddChild(late.AddChild(nullptr, "name"), Sjis("後の名前"));
  store.AddFunction("x");
  store.PutFunction(1, late);
  store.AddStruct("POINT");
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "names.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->FunctionList()->GetItemText(1), wxString::FromUTF8("後の名前"));
  EXPECT_EQ(Entries(*view->ReturnTypeCombo()), (std::vector<wxString>{"POINT", "void"}));
  EXPECT_EQ(doc->GetCurrentFunction(), 1);
  EXPECT_EQ(view->FunctionList()->GetItemCount(), 2);
}

TEST_F(FillTest, TypingANewReturnTypeStoresItAndOffersIt) {
  quillmap::SpecStore store;
  AddFunctions(store, {"f"});
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "typed-type.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->ShowFunction(0));
  frame_->Raise();
  const auto settle = [] {
    for (int i = 0; i < 5; ++i) {
      wxMilliSleep(10);
      Pump();
    }
  };
  SjisComboBox* combo = view->ReturnTypeCombo();
  combo->SetFocus();
  settle();
  combo->SelectAll();
  wxUIActionSimulator keys;
  keys.Text("size_t");
  settle();
  EXPECT_EQ(combo->GetValue(), "size_t");
  view->HeadingEdit()->SetFocus();  // leaving the combo stores the function
  settle();
  quillmap::FunctionSpec stored;
  ASSERT_TRUE(doc->GetFunction(0, stored));
  EXPECT_EQ(stored.GetReturnType(), "size_t");
  EXPECT_EQ(Entries(*combo), (std::vector<wxString>{"int", "size_t"}));

  // A character Shift-JIS can't hold is refused there too.
  const ShownMessage shown = ExpectMessage([&] {
    combo->SetValue(wxString::FromUTF8("size_t\u2603"));
    PumpFor(SjisTypingGuard::kMessagePauseMs + 200);
  });
  EXPECT_TRUE(shown.message.Contains("U+2603"));
  EXPECT_EQ(combo->GetValue(), "size_t");
}

// What assistive technology sees of the return-type list, in process: a combo box whose drop-down
// list has one row per entry (GTK's list form, not a menu). Opened with a real click, a list far
// taller than an X window may be stays on the screen, with a scroll bar, and Escape closes it.
TEST_F(FillTest, ReturnTypeListIsAComboBoxWithARowPerEntryThatOpensOnTheScreen) {
  quillmap::SpecStore store;
  std::vector<std::string> names;
  for (int i = 0; i < 3000; ++i) names.push_back(quillmap::text::Concat({"T", std::to_string(i)}));
  AddFunctions(store, {"f"});
  AddStructs(store, names);
  CFuncView* view = ViewOf(OpenDocument(WriteDocument(store, "types.dcm")));
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->ShowFunction(0));
  SjisComboBox* combo = view->ReturnTypeCombo();
  ASSERT_EQ(combo->GetCount(), 3001u);  // "int" and every structure

  gboolean as_list = FALSE;
  gtk_widget_style_get(combo->GetHandle(), "appears-as-list", &as_list, nullptr);
  EXPECT_TRUE(as_list);
  AtkObject* accessible = gtk_widget_get_accessible(combo->GetHandle());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(atk_object_get_role(accessible), ATK_ROLE_COMBO_BOX);
  // Its children: the drop-down list and the edit field.
  AtkObject* list = nullptr;
  for (int i = 0; i < atk_object_get_n_accessible_children(accessible); ++i) {
    AtkObject* child = atk_object_ref_accessible_child(accessible, i);
    if (list == nullptr && child != nullptr && ATK_IS_TABLE(child)) {
      list = child;
    } else if (child != nullptr) {
      g_object_unref(child);
    }
  }
  ASSERT_NE(list, nullptr) << "no list among the combo box's children";
  EXPECT_EQ(atk_table_get_n_rows(ATK_TABLE(list)), 3001);
  EXPECT_EQ(atk_table_get_n_columns(ATK_TABLE(list)), 1);
  AtkObject* cell = atk_table_ref_at(ATK_TABLE(list), 0, 0);  // a row reads as its entry
  ASSERT_NE(cell, nullptr);
  EXPECT_STREQ(atk_object_get_name(cell), "int");
  g_object_unref(cell);
  g_object_unref(list);

  // The drop-down button is the combo box's right end.
  view->Form()->Scroll(0, 0);
  const wxSize size = combo->GetSize();
  wxUIActionSimulator mouse;
  mouse.MouseMove(combo->ClientToScreen(wxPoint(size.x - 6, size.y / 2)));
  mouse.MouseClick();
  for (int i = 0; i < 10; ++i) {
    wxMilliSleep(15);
    Pump();
  }
  gboolean shown = FALSE;
  g_object_get(combo->GetHandle(), "popup-shown", &shown, nullptr);
  ASSERT_TRUE(shown);
  GtkWidget* popup = gtk_widget_get_toplevel(gtk_accessible_get_widget(
      GTK_ACCESSIBLE(gtk_combo_box_get_popup_accessible(GTK_COMBO_BOX(combo->GetHandle())))));
  GdkRectangle screen;
  gdk_monitor_get_geometry(
      gdk_display_get_monitor_at_window(gdk_display_get_default(), gtk_widget_get_window(popup)),
      &screen);
  GtkAllocation drawn;
  gtk_widget_get_allocation(popup, &drawn);
  EXPECT_GT(drawn.height, 0);
  EXPECT_LE(drawn.height, screen.height);
  int x = 0;
  int y = 0;
  gtk_window_get_position(GTK_WINDOW(popup), &x, &y);
  EXPECT_GE(y, screen.y);
  EXPECT_LE(y + drawn.height, screen.y + screen.height);

  wxUIActionSimulator keys;
  keys.Char(WXK_ESCAPE);
  for (int i = 0; i < 10; ++i) {
    wxMilliSleep(15);
    Pump();
  }
  g_object_get(combo->GetHandle(), "popup-shown", &shown, nullptr);
  EXPECT_FALSE(shown);
}

TEST_F(FillTest, LongWorkShowsAProgressDialogOnlyAfterASecond) {
  SlowProgress progress(frame_, "reading");
  const quillmap::ProgressFunction report = progress.Function();
  report(1, 10);
  EXPECT_FALSE(progress.DialogShown());
  EXPECT_TRUE(wxIsBusy());
  wxMilliSleep(static_cast<unsigned long>(SlowProgress::kDelay.count()) + 100);
  report(5, 10);
  EXPECT_TRUE(progress.DialogShown());
  report(12, 10);  // an estimate that fell short does no harm
}

}  // namespace
