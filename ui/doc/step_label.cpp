#include "ui/doc/step_label.h"

#include "ui/res/ids.h"
#include "ui/res/menus.h"
#include "ui/res/string_table.h"

wxString StepLabel(int command) {
  const std::string_view item = menus::CommandText(command);
  if (item.empty()) return LoadWxString(command).AfterLast('\n');
  wxString text = ResourceText(item.substr(0, item.find('\t')));
  const int mnemonic = text.Find("(&");
  if (mnemonic != wxNOT_FOUND) text.Truncate(static_cast<size_t>(mnemonic));
  return text;
}

wxString FieldStepLabel(std::string_view label) {
  return LoadWxString(ids::kStrFieldChange, ResourceText(label));
}
