// What the folder chooser asks the system about drives, volumes and folders,
// as plain data. Labels, names and paths here are UTF-8 (win32/Utf8.h), but
// for FullPath: the wide calls give every name as the file system spells it.
#pragma once

#include <string>
#include <vector>

#include "core/platform.h"

namespace tools {

// Every drive the system reports, in letter order.
std::vector<core::DriveInfo> ListDrives();

// Visible (neither hidden nor system) sub-folders and files of a folder, each
// sorted by name; empty when the folder cannot be read.
core::FolderContents ReadFolder(const std::string& folder);

// Whether the volume of a full path keeps the case of names; true when it
// cannot be asked.
bool VolumeKeepsCase(const std::string& path);

// The process's current directory; empty when it does not fit MAX_PATH.
std::string CurrentDirectory();
// SetCurrentDirectory; false for an empty path.
bool SetCurrentDirectoryTo(const std::string& path);

// GetFullPathNameA (ANSI text, unlike the rest of this file): relative to
// the current directory, trailing dots and spaces dropped; the text itself
// when it cannot be resolved.
std::string FullPath(const std::string& path);

// Text made full relative to the current directory through the wide call;
// as it is when it cannot be, empty text included.
std::string FullWidePath(const std::string& text);

// The current directory the system keeps for a drive ("X:" resolved); the
// drive's root when it cannot tell.
std::string DriveCurrentDirectory(char letter);

}  // namespace tools
