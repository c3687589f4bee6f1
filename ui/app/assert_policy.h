#pragma once
// What the editor does with wx's debug assertions (Debian's wx keeps them on): they are written
// to stderr and the program goes on, instead of stopping at a dialog. One family is expected and
// left out: wx checks that window and menu ids fit in 15 bits, a limit of another desktop; the
// program's command and control numbers (32772, 40008, 59392, …) are larger, and GTK carries
// them as plain ints.

#include <wx/string.h>

// True for the id-range check described above.
bool IsIdRangeAssert(const wxString& cond, const wxString& msg);

// Installs the editor's assertion handler.
void InstallAssertHandler();
