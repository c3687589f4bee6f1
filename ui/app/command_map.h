#pragma once
// The editor's resource tables (menus, accelerators, tool bar, string table) name commands by
// their own numbers. Standard commands for which wx has a handler (file new/open/save, recent
// files, exit, about, printing, MDI window arrangement) are bound to wx's standard ids instead,
// so that wx's doc/view framework carries them out; every other command keeps its number.

namespace command_map {

// The wx id a command of the resource tables is bound to.
int ToWxId(int command);
// The command of the resource tables behind a wx id (the id itself when it is not mapped).
int FromWxId(int wx_id);

}  // namespace command_map
