#pragma once
// wx objects made from the menu, accelerator and tool bar resources of ui/res/menus.h.

#include <wx/accel.h>

class wxMenuBar;
class wxMenu;
class wxToolBar;

// Menu bar 128, 129 or 130. Items carry their command's wx id (ui/app/command_map.h) and the
// first line of the command's string as help; the tool and status bar toggles are check items.
wxMenuBar* BuildMenuBar(int menu_id);

// The menu of a menu bar that holds the recent-file items; nullptr when there is none.
wxMenu* FindRecentFileMenu(wxMenuBar* menu_bar);

// Accelerator table 128.
wxAcceleratorTable BuildAccelerators();

// Adds the buttons of tool bar 128 (images 16 x 15, tool tip = second line of the command's
// string, status prompt = its first line) and realises the bar. False if an image is missing.
bool LoadToolBar(wxToolBar* tool_bar);
