#pragma once
// Menu bars 128 (main frame, no document), 129 (function document) and 130 (HTML
// document), accelerator table 128 and tool bar 128, as data. Texts are UTF-8 with "&" marking
// the mnemonic and "\t" the shortcut shown; commands are the program's own numbers (see
// ui/app/command_map.h for the wx ids they are bound to).

#include <span>
#include <string_view>

namespace menus {

// One entry of a popup: a command with its text, or a separator (command 0).
struct Item {
  int command;
  std::string_view text;
};

struct Popup {
  std::string_view text;
  std::span<const Item> items;
};

// The popups of menu bar 128, 129 or 130 in order; empty for any other id.
std::span<const Popup> MenuBar(int menu_id);

// Text of a command's item in the function document's Edit menu ("関数の追加(&F)"); empty for
// a command that has none.
std::string_view CommandText(int command);

// Text of the recent-file placeholder item ("最近使ったﾌｧｲﾙ").
std::string_view RecentFilesText();

// Modifier flags of an accelerator (the same values as wxACCEL_*).
inline constexpr int kCtrl = 0x0002;
inline constexpr int kShift = 0x0004;

// One accelerator: modifiers, key (an ASCII letter or a wx key code) and command.
struct Accelerator {
  int flags;
  int key;
  int command;
};

// Accelerator table 128.
std::span<const Accelerator> Accelerators();

// Tool bar 128: the commands of its buttons in order, 0 for a separator.
std::span<const int> ToolBarButtons();

}  // namespace menus
