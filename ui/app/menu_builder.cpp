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

// wx checks that a menu id fits in 15 bits, a limit of another desktop's menus; many of the
// program's command numbers are larger. The item is made with a small id and then given its real
// one, which GTK menus carry and report unchanged.
wxMenuItem* MakeItem(wxMenu* menu, int id, const wxString& text, const wxString& help,
                     wxItemKind kind) {
  constexpr int kStandIn = 1;
  const bool fits = id >= 0 && id < 0x7fff;
  auto* item = new wxMenuItem(menu, fits ? id : kStandIn, text, help, kind);
  item->SetId(id);
  return item;
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
      menu->Append(MakeItem(menu, command_map::ToWxId(item.command), ResourceText(item.text),
                            LoadPrompt(item.command),
                            IsToggle(item.command) ? wxITEM_CHECK : wxITEM_NORMAL));
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
