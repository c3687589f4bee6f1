#include "ui/app/user_locale.h"

#include <clocale>

#include <wx/intl.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

void UseUserLocale() {
  // wxGTK keeps GTK from calling setlocale, so without this GTK's own texts stay English.
  wxUILocale::UseDefault();
  std::setlocale(LC_NUMERIC, "C");
  if (wxTranslations::Get() == nullptr) wxTranslations::Set(new wxTranslations);
  // wx's catalog ("wxstd"): the stock button labels of the file chooser, the progress and print
  // preview windows. Missing for English or without the translations installed, which is fine.
  wxTranslations::Get()->AddStdCatalog();
}
