#include "ui/widgets/dialog_units.h"

#include <gtk/gtk.h>

#include <wx/window.h>

wxFont FormFont() {
  wxFont font(wxFontInfo(9).FaceName("IPAPGothic"));
  if (!font.IsOk()) font = wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
  return font;
}

DialogUnits::DialogUnits(const wxWindow* window) {
  int width = 0;
  int height = 0;
  const wxFont font = window->GetFont();
  window->GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height,
                        nullptr, nullptr, &font);
  // Rounded average width of the 52 letters, and the font's line height.
  base_ = wxSize((width / 26 + 1) / 2, height);
  if (base_.x <= 0) base_.x = 6;
  if (base_.y <= 0) base_.y = 12;
}

int DialogUnits::X(int units) const {
  return (units * base_.x + 2) / 4;
}
int DialogUnits::Y(int units) const {
  return (units * base_.y + 4) / 8;
}

namespace {

constexpr char kCompactName[] = "quillmap-compact";

// Scoped to windows named kCompactName and what lies inside them.
constexpr char kCompactCss[] =
    "#quillmap-compact entry, #quillmap-compact button, #quillmap-compact combobox,"
    " #quillmap-compact combobox box {"
    "  min-height: 0; padding-top: 0; padding-bottom: 0; margin-top: 0; margin-bottom: 0; }"
    "#quillmap-compact button { padding-left: 2px; padding-right: 2px; min-width: 0; }"
    "#quillmap-compact entry { padding-left: 3px; padding-right: 3px; }"
    // Check and radio buttons with a small mark, so that their texts fit the templates' widths.
    "#quillmap-compact checkbutton, #quillmap-compact radiobutton {"
    "  min-height: 0; padding: 0; }"
    "#quillmap-compact checkbutton check, #quillmap-compact radiobutton radio {"
    "  min-width: 11px; min-height: 11px; margin: 0 3px 0 0; padding: 0; }"
    // A drop-down list instead of a menu: like the templates' combo boxes, and it takes new
    // entries several times faster when a list holds thousands of them.
    "#quillmap-compact combobox { -GtkComboBox-appears-as-list: true; }";

}  // namespace

namespace {

// Gives the drop-down window the font of the combo box; its list inherits it.
void GiveDropDownTheFont(GtkWidget* combo) {
  AtkObject* accessible = gtk_combo_box_get_popup_accessible(GTK_COMBO_BOX(combo));
  GtkWidget* popup = accessible != nullptr && GTK_IS_ACCESSIBLE(accessible)
                         ? gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible))
                         : nullptr;
  if (popup == nullptr) return;
  GtkWidget* window = gtk_widget_get_toplevel(popup);
  const PangoFontDescription* font =
      pango_context_get_font_description(gtk_widget_get_pango_context(combo));
  if (window == nullptr || font == nullptr) return;
  const double size = static_cast<double>(pango_font_description_get_size(font)) / PANGO_SCALE;
  gchar* css = g_strdup_printf("* { font-family: \"%s\"; font-size: %g%s; }",
                               pango_font_description_get_family(font), size,
                               pango_font_description_get_size_is_absolute(font) ? "px" : "pt");
  // One provider per drop-down window, replaced when the control's font has changed: a new
  // provider restyles the list, which would be measured anew after it was sized.
  constexpr char kKey[] = "quillmap-font";
  constexpr char kCssKey[] = "quillmap-font-css";
  const auto* given = static_cast<const gchar*>(g_object_get_data(G_OBJECT(window), kCssKey));
  if (given != nullptr && g_strcmp0(given, css) == 0) {
    g_free(css);
    return;
  }
  GtkStyleContext* style = gtk_widget_get_style_context(window);
  if (auto* old = static_cast<GtkStyleProvider*>(g_object_get_data(G_OBJECT(window), kKey))) {
    gtk_style_context_remove_provider(style, old);
  }
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, css, -1, nullptr);
  gtk_style_context_add_provider(style, GTK_STYLE_PROVIDER(provider),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_set_data_full(G_OBJECT(window), kKey, provider, g_object_unref);
  g_object_set_data_full(G_OBJECT(window), kCssKey, css, g_free);
}

// Each opening gives the font again: the control's font may have changed.
void OnPopupShown(GtkWidget* combo, GParamSpec*, gpointer) {
  gboolean shown = FALSE;
  g_object_get(combo, "popup-shown", &shown, nullptr);
  if (shown) GiveDropDownTheFont(combo);
}

}  // namespace

void UseFontInDropDown(wxWindow* combo) {
  GtkWidget* widget = combo->GetHandle();
  if (widget == nullptr || !GTK_IS_COMBO_BOX(widget)) return;
  // Now as well, so that the first opening measures its rows in that font (a list form's
  // drop-down window exists from the start; a menu is made when it opens).
  GiveDropDownTheFont(widget);
  g_signal_connect(widget, "notify::popup-shown", G_CALLBACK(OnPopupShown), nullptr);
}

void UseCompactControls(wxWindow* container) {
  static bool installed = false;
  if (!installed) {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kCompactCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
    installed = true;
  }
  gtk_widget_set_name(container->GetHandle(), kCompactName);
}
