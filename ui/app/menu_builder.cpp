#include "ui/app/menu_builder.h"

#include <vector>

#include <wx/menu.h>
#include <wx/toolbar.h>

#include "ui/app/command_map.h"
#include "ui/res/art.h"
#include "ui/res/ids.h"
#include "ui/res/menus.h"
#include "ui/res/string_table.h"

namespace {

bool IsToggle(int command) {
  return command == ids::kViewToolBar || command == ids::kViewStatusBar;
}

// Appends an item and then gives it its command's wx id. The item is made and put in the menu
// under a stand-in id for two reasons: wx checks that a menu id fits in 15 bits (a limit of
// another desktop's menus, which many of the program's command numbers exceed), and wxGTK makes
// an item whose id is a stock id (open, save, close, exit...) as GTK's stock item, with GTK's
// label and its key (Ctrl+W closes, Ctrl+Q quits). The menus' texts and keys are the program's
// own: an item shows its text, and only a key written in that text after "\t" is bound. GTK
// menus carry the real id afterwards and report it unchanged.
void AppendItem(wxMenu* menu, int id, const wxString& text, const wxString& help, wxItemKind kind) {
  constexpr int kStandIn = 1;
  wxMenuItem* item = menu->Append(new wxMenuItem(menu, kStandIn, text, help, kind));
  item->SetId(id);
}

}  // namespace

wxMenuBar* BuildMenuBar(int menu_id) {
  auto* bar = new wxMenuBar;
  for (const menus::Popup& popup : menus::MenuBar(menu_id)) {
    auto* menu = new wxMenu;
    for (const menus::Item& item : popup.items) {
      if (item.command == 0) {
        menu->AppendSeparator();
        continue;
      }
      AppendItem(menu, command_map::ToWxId(item.command), ResourceText(item.text),
                 LoadPrompt(item.command), IsToggle(item.command) ? wxITEM_CHECK : wxITEM_NORMAL);
    }
    bar->Append(menu, ResourceText(popup.text));
  }
  return bar;
}

wxMenu* FindRecentFileMenu(wxMenuBar* menu_bar) {
  if (menu_bar == nullptr) return nullptr;
  wxMenu* menu = nullptr;
  return menu_bar->FindItem(wxID_FILE1, &menu) != nullptr ? menu : nullptr;
}

wxAcceleratorTable BuildAccelerators() {
  std::vector<wxAcceleratorEntry> entries;
  for (const menus::Accelerator& accel : menus::Accelerators()) {
    entries.emplace_back(accel.flags, accel.key, command_map::ToWxId(accel.command));
  }
  return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

bool LoadToolBar(wxToolBar* tool_bar) {
  tool_bar->SetToolBitmapSize(wxSize(art::kToolWidth, art::kToolHeight));
  for (int command : menus::ToolBarButtons()) {
    if (command == 0) {
      tool_bar->AddSeparator();
      continue;
    }
    const wxBitmap image = art::ToolBitmap(command);
    if (!image.IsOk()) return false;
    tool_bar->AddTool(command_map::ToWxId(command), wxString(), image, LoadToolTip(command),
                      wxITEM_NORMAL);
    tool_bar->SetToolLongHelp(command_map::ToWxId(command), LoadPrompt(command));
  }
  return tool_bar->Realize();
}
