#include "ui/view/dialog_units.h"

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
