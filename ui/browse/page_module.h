#pragma once
// Loads the page engine's module (quillmap-page) on first use and hands out its factory.
//
// The module is looked for at $QUILLMAP_PAGE_MODULE when set; otherwise at
// ../lib/quillmap/quillmap-page.so from the running program, where both the installed tree and
// the build tree put it. Once loaded it stays loaded: the engine can't be unloaded safely.

#include <wx/string.h>

#include "ui/browse/page_window.h"

// Where the module is looked for now.
wxString PageModulePath();

// The factory of the module at PageModulePath(), loading it if needed; nullptr when it can't be
// loaded, with the reason (the path and the loader's message) in *error.
PageWindowFactory LoadPageWindowFactory(wxString* error);
