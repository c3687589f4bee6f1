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
