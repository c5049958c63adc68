// Keeps DLLs out of the folder the installer was started from.
#pragma once

namespace tools {

// Restricts DLL loading to the system folder. Called first thing: a
// downloaded installer's folder may hold planted DLLs. A no-op on systems
// without SetDefaultDllDirectories.
void RestrictDllSearch();

}  // namespace tools
