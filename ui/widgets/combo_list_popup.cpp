#include "ui/widgets/combo_list_popup.h"

#include <algorithm>

namespace {

// A list longer than this opens with every row as high as the first, so that opening it measures
// no other row; a shorter one measures each row (a few milliseconds) and so fits its font exactly.
constexpr int kFixedRowsFrom = 500;

// The column's width follows the combo box's (rows of one height need a column of fixed width).
void FixColumnWidth(GtkComboBox* combo, int width) {
  GtkTreeView* tree = ComboListTree(combo);
  GtkTreeViewColumn* column = tree != nullptr ? gtk_tree_view_get_column(tree, 0) : nullptr;
  width = std::max(width, 1);
  // Every allocation of the combo box comes here: change only what changed, as each change
  // makes the list lay itself out again.
  if (column == nullptr || (gtk_tree_view_column_get_sizing(column) == GTK_TREE_VIEW_COLUMN_FIXED &&
                            gtk_tree_view_column_get_fixed_width(column) == width)) {
    return;
  }
  gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_fixed_width(column, width);
}

void WatchListOpening(GtkComboBox* combo);

void OnComboAllocated(GtkWidget* widget, GdkRectangle* allocation, gpointer) {
  FixColumnWidth(GTK_COMBO_BOX(widget), allocation->width);
  WatchListOpening(GTK_COMBO_BOX(widget));
}

// The screen around the combo box: its rectangle in root coordinates and its monitor's work area.
bool ComboOnScreen(GtkComboBox* combo, GdkRectangle& field, GdkRectangle& area) {
  GtkWidget* widget = GTK_WIDGET(combo);
  GdkWindow* window = gtk_widget_get_window(widget);
  if (window == nullptr) return false;
  GdkMonitor* monitor = gdk_display_get_monitor_at_window(gtk_widget_get_display(widget), window);
  if (monitor == nullptr) return false;
  gdk_monitor_get_workarea(monitor, &area);
  GtkAllocation allocation;
  gtk_widget_get_allocation(widget, &allocation);
  field = allocation;
  if (gtk_widget_get_has_window(widget)) allocation.x = allocation.y = 0;
  gdk_window_get_root_coords(window, allocation.x, allocation.y, &field.x, &field.y);
  return true;
}

void SetContentHeight(GtkScrolledWindow* scrolled, int height) {
  height = std::max(1, height);
  // Unbounded first: GTK refuses a minimum above the maximum of the last opening.
  gtk_scrolled_window_set_max_content_height(scrolled, -1);
  gtk_scrolled_window_set_min_content_height(scrolled, height);
  gtk_scrolled_window_set_max_content_height(scrolled, height);
}

// GTK opens the list by switching its scroll bars off and sizing the window to what the list
// then asks for: all of its rows. As it does, the scroll bar comes back and the list asks for
// no more than the larger of the spaces below and above the combo box, so that the window is
// made at that size.
void OnPolicySet(GObject* scrolled, GParamSpec*, gpointer data) {
  GtkPolicyType horizontal = GTK_POLICY_NEVER;
  GtkPolicyType vertical = GTK_POLICY_NEVER;
  gtk_scrolled_window_get_policy(GTK_SCROLLED_WINDOW(scrolled), &horizontal, &vertical);
  GtkComboBox* combo = GTK_COMBO_BOX(data);
  GtkTreeView* tree = ComboListTree(combo);
  GdkRectangle field;
  GdkRectangle area;
  if (vertical != GTK_POLICY_NEVER || tree == nullptr || !ComboOnScreen(combo, field, area)) return;
  GtkTreeModel* model = gtk_tree_view_get_model(tree);
  const bool long_list =
      model != nullptr && gtk_tree_model_iter_n_children(model, nullptr) > kFixedRowsFrom;
  gtk_tree_view_set_fixed_height_mode(tree, long_list ? TRUE : FALSE);
  const int below = area.y + area.height - (field.y + field.height);
  const int above = field.y - area.y;
  const int space = std::max(below, above);
  // A long list is taller than any screen; a short one is measured.
  int rows = space + 1;
  if (!long_list) gtk_widget_get_preferred_height(GTK_WIDGET(tree), nullptr, &rows);
  if (rows <= space) {
    // It fits: GTK sizes it to its rows, as it does any short list.
    gtk_scrolled_window_set_max_content_height(GTK_SCROLLED_WINDOW(scrolled), -1);
    gtk_scrolled_window_set_min_content_height(GTK_SCROLLED_WINDOW(scrolled), -1);
    return;
  }
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), horizontal, GTK_POLICY_AUTOMATIC);
  SetContentHeight(GTK_SCROLLED_WINDOW(scrolled), space);
  // The window adds its frames to the content: take them off, so that the whole window fits.
  int window_height = space;
  gtk_widget_get_preferred_height(gtk_widget_get_toplevel(GTK_WIDGET(scrolled)), &window_height,
                                  nullptr);
  SetContentHeight(GTK_SCROLLED_WINDOW(scrolled), space - std::max(0, window_height - space));
}

void WatchListOpening(GtkComboBox* combo) {
  GtkTreeView* tree = ComboListTree(combo);
  GtkWidget* scrolled = tree != nullptr ? gtk_widget_get_parent(GTK_WIDGET(tree)) : nullptr;
  if (scrolled == nullptr || !GTK_IS_SCROLLED_WINDOW(scrolled)) return;
  if (g_object_get_data(G_OBJECT(scrolled), "quillmap-watched") != nullptr) return;
  g_object_set_data(G_OBJECT(scrolled), "quillmap-watched", combo);
  g_signal_connect_object(scrolled, "notify::vscrollbar-policy", G_CALLBACK(OnPolicySet), combo,
                          GConnectFlags(0));
}

// Should the list still come out taller than the space there is (GTK made it anew, or placed it
// elsewhere): fit it into the larger of the spaces below and above the combo box, with a scroll
// bar. This runs before the list is first drawn.
void OnPopupShown(GObject* object, GParamSpec*, gpointer) {
  GtkComboBox* combo = GTK_COMBO_BOX(object);
  gboolean shown = FALSE;
  g_object_get(object, "popup-shown", &shown, nullptr);
  GtkTreeView* tree = ComboListTree(combo);
  GdkRectangle field;
  GdkRectangle area;
  if (!shown || tree == nullptr || !ComboOnScreen(combo, field, area)) return;
  GtkWidget* scrolled = gtk_widget_get_parent(GTK_WIDGET(tree));
  GtkWidget* popup = gtk_widget_get_toplevel(GTK_WIDGET(tree));
  if (!GTK_IS_SCROLLED_WINDOW(scrolled) || !GTK_IS_WINDOW(popup)) return;

  GtkAllocation list;
  gtk_widget_get_allocation(popup, &list);
  int x = 0;
  int y = 0;
  gtk_window_get_position(GTK_WINDOW(popup), &x, &y);
  const int below = area.y + area.height - (field.y + field.height);
  const int above = field.y - area.y;
  if (y >= area.y && y + list.height <= area.y + area.height) return;  // on the screen
  int height = list.height;
  if (height <= below || below >= above) {
    height = std::min(height, std::max(below, 1));
    y = field.y + field.height;
  } else {
    height = std::min(height, std::max(above, 1));
    y = field.y - height;
  }
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER,
                                 GTK_POLICY_AUTOMATIC);
  gtk_widget_set_size_request(popup, list.width, height);
  gtk_window_resize(GTK_WINDOW(popup), list.width, height);
  gtk_window_move(GTK_WINDOW(popup), x, y);
}

}  // namespace

GtkTreeView* ComboListTree(GtkComboBox* combo) {
  // In its list form the combo box hands out its tree view's accessible as the popup's.
  AtkObject* accessible = gtk_combo_box_get_popup_accessible(combo);
  if (accessible == nullptr || !GTK_IS_ACCESSIBLE(accessible)) return nullptr;
  GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible));
  return widget != nullptr && GTK_IS_TREE_VIEW(widget) ? GTK_TREE_VIEW(widget) : nullptr;
}

void UseComboListForm(GtkComboBox* combo) {
  GtkWidget* widget = GTK_WIDGET(combo);
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, "* { -GtkComboBox-appears-as-list: true; }", -1,
                                  nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(provider),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
  g_signal_emit_by_name(widget, "style-updated");
  GtkAllocation allocation;
  gtk_widget_get_allocation(widget, &allocation);
  FixColumnWidth(combo, allocation.width);
  WatchListOpening(combo);
  g_signal_connect(widget, "size-allocate", G_CALLBACK(OnComboAllocated), nullptr);
  g_signal_connect(widget, "notify::popup-shown", G_CALLBACK(OnPopupShown), nullptr);
}
