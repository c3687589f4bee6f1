// Every control of the form draws its text in the form's font (IPA P Gothic 9 pt): labels and
// buttons, edits, combo boxes with their drop-down lists, the record lists and their header.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include <wx/choice.h>
#include <wx/scrolwin.h>

#include "form_fixture.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/sjis_field.h"

namespace {

// "family size" of the font GTK draws a widget's text with.
std::string GtkFontOf(GtkWidget* widget) {
  const PangoFontDescription* font =
      pango_context_get_font_description(gtk_widget_get_pango_context(widget));
  return std::string(pango_font_description_get_family(font)) + " " +
         std::to_string(pango_font_description_get_size(font) / PANGO_SCALE);
}

// The widget and everything inside it, the parts GTK builds itself included.
void CollectWidgets(GtkWidget* widget, std::vector<GtkWidget*>& out) {
  out.push_back(widget);
  if (!GTK_IS_CONTAINER(widget)) return;
  gtk_container_forall(
      GTK_CONTAINER(widget),
      [](GtkWidget* child, gpointer data) {
        CollectWidgets(child, *static_cast<std::vector<GtkWidget*>*>(data));
      },
      &out);
}

void ExpectFontEverywhereIn(GtkWidget* root, const std::string& expected, const wxString& what) {
  std::vector<GtkWidget*> widgets;
  CollectWidgets(root, widgets);
  for (GtkWidget* widget : widgets) {
    EXPECT_EQ(GtkFontOf(widget), expected)
        << what.utf8_string() << " " << G_OBJECT_TYPE_NAME(widget);
  }
}

using FontTest = FormTest;

TEST_F(FontTest, EveryControlAndDropDownUsesTheFormFont) {
  quillmap::SpecStore store;
  AddFunctions(store, {"f", "g"});
  CFuncView* view = ViewOf(OpenDocument(WriteDocument(store, "fonts.dcm")));
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->ShowFunction(0));
  view->RelatedCombo()->AppendBytes("g");
  view->HistoryCombo()->AppendBytes("2024/01/01 x");
  Pump();
  const wxFont form_font = FormFont();
  const std::string expected =
      form_font.GetFaceName().utf8_string() + " " + std::to_string(form_font.GetPointSize());
  ASSERT_EQ(expected, "IPAPGothic 9");

  int combos = 0;
  for (wxWindow* control : view->Form()->GetChildren()) {
    const wxString what = wxString::Format(wxS("control %d"), control->GetId());
    // What wx draws itself (the lists' rows and the argument list's header) uses the window's
    // font; what GTK draws uses the widget's.
    std::vector<wxWindow*> windows = {control};
    for (wxWindow* inner : control->GetChildren()) windows.push_back(inner);
    for (wxWindow* window : windows) {
      EXPECT_EQ(window->GetFont().GetFaceName(), form_font.GetFaceName()) << what.utf8_string();
      EXPECT_EQ(window->GetFont().GetPointSize(), 9) << what.utf8_string();
    }
    ExpectFontEverywhereIn(control->GetHandle(), expected, what);

    if (!GTK_IS_COMBO_BOX(control->GetHandle())) continue;
    ++combos;
    auto* combo = GTK_COMBO_BOX(control->GetHandle());
    gtk_combo_box_popup(combo);
    Pump();
    AtkObject* accessible = gtk_combo_box_get_popup_accessible(combo);
    ASSERT_NE(accessible, nullptr);
    GtkWidget* popup = gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible));
    ASSERT_NE(popup, nullptr);
    // The drop-down list: its rows (the header of the list's own tree is never shown).
    GtkWidget* window = gtk_widget_get_toplevel(popup);
    std::vector<GtkWidget*> widgets;
    CollectWidgets(window, widgets);
    int lists = 0;
    for (GtkWidget* widget : widgets) {
      if (!GTK_IS_TREE_VIEW(widget) && !GTK_IS_MENU_ITEM(widget) && !GTK_IS_CELL_VIEW(widget)) {
        continue;
      }
      ++lists;
      EXPECT_EQ(GtkFontOf(widget), expected) << what.utf8_string() << " drop-down";
    }
    EXPECT_GT(lists, 0) << what.utf8_string();
    gtk_combo_box_popdown(combo);
    Pump();
  }
  EXPECT_EQ(combos, 4);  // attribute, return type, related functions, history
}

}  // namespace
