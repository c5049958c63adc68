// Keeps DLLs out of the folder the installer was started from.
#pragma once

#include <windows.h>

namespace tools {

// Restricts DLL loading to the system folder. Called first thing: a
// downloaded installer's folder may hold planted DLLs. A no-op on systems
// without SetDefaultDllDirectories.
void RestrictDllSearch();

// Whether LoadLibraryEx takes the LOAD_LIBRARY_SEARCH_* flags: Windows 7
// without update KB2533623 lacks them, and SetDefaultDllDirectories with them.
bool SystemHasSearchFlags();

// A DLL that Windows does not protect as a known DLL, from the system folder
// only (never imported statically: static imports are looked for in the
// program's folder first): by the search flag, or without the flags by its
// full path there. Stays loaded; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name, bool searchFlags = SystemHasSearchFlags());

}  // namespace tools
