// Folders on the platform: what takes more than one call to the system.
#pragma once

#include <string>

#include "core/platform.h"

namespace core {

// Creates a folder and its missing parents, from the top down. Raises
// "Unable to create directory" for an empty path, or for a relative one
// whose first level cannot be made; false when a level cannot be created.
bool CreateFolderWithParents(Platform& platform, std::string dir);

}  // namespace core
