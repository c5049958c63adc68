// What the process closes off first thing: DLLs from the folder the
// installer was started from, and links planted by other accounts.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// The system folder; empty when it cannot be read or does not fit MAX_PATH.
std::string SystemFolder();

// Restricts DLL loading to the system folder. Called first thing: a
// downloaded installer's folder may hold planted DLLs. A no-op on systems
// without SetDefaultDllDirectories.
void RestrictDllSearch();

// RedirectionGuard: junctions and symbolic links that an account without
// administrator rights made are not followed by this process, so none can
// lead a write into a folder of that account's choosing; an administrator's
// own (a folder moved to another drive) still works. Windows 10 22H2 and
// later; elsewhere a no-op.
void EnableRedirectionGuard();

// Whether LoadLibraryEx takes the LOAD_LIBRARY_SEARCH_* flags: Windows 7
// without update KB2533623 lacks them, and SetDefaultDllDirectories with them.
bool SystemHasSearchFlags();

// A DLL that Windows does not protect as a known DLL, from the system folder
// only (never imported statically: static imports are looked for in the
// program's folder first): by the search flag, or without the flags by its
// full path there. Stays loaded; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name, bool searchFlags = SystemHasSearchFlags());

}  // namespace win32
