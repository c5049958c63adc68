// Keeps DLLs out of the folder the installer was started from.
#pragma once

#include <windows.h>

namespace tools {

// Restricts DLL loading to the system folder. Called first thing: a
// downloaded installer's folder may hold planted DLLs. A no-op on systems
// without SetDefaultDllDirectories.
void RestrictDllSearch();

// A DLL that Windows does not protect as a known DLL, from the system folder
// only (never imported statically: static imports are looked for in the
// program's folder first). Stays loaded; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace tools
