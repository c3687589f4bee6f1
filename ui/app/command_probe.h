#pragma once
// Whether an event handler has a command handler for an id: used to disable the menu items and
// buttons of commands that nothing in the active window handles.

class wxEvtHandler;

// True when the handler, or one chained after it, has a wxEVT_MENU handler for the id in its
// event table (with its base classes) or among the handlers bound to it.
bool HandlesCommand(wxEvtHandler* handler, int id);
