#pragma once
// File names as the core takes them: the bytes the system uses for the name.

#include <string>

#include <wx/string.h>

// The bytes of path in the file-name encoding; empty when the name can't be converted.
std::string FilePathBytes(const wxString& path);
