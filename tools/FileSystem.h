// What the folder chooser asks the system about drives, volumes and folders,
// as plain data. Labels, names and paths here are UTF-8 (win32/Utf8.h): the
// wide calls give every name as the file system spells it.
#pragma once

#include <string>
#include <vector>

#include "core/chooser.h"

namespace tools {

struct DriveInfo {
  char letter = 0;  // lower case
  core::DriveKind kind = core::DriveKind::Fixed;
  std::string label;        // read only where core::ReadsVolumeLabel says so
  std::string networkName;  // "\\server\share" of a mapped drive
};

// Every drive the system reports, in letter order.
std::vector<DriveInfo> ListDrives();

struct FolderContents {
  std::vector<std::string> folders;  // without "." and ".."
  std::vector<std::string> files;
};

// Visible (neither hidden nor system) sub-folders and files of a folder, each
// sorted by name; empty when the folder cannot be read.
FolderContents ReadFolder(const std::string& folder);

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

// The current directory the system keeps for a drive ("X:" resolved); the
// drive's root when it cannot tell.
std::string DriveCurrentDirectory(char letter);

// Puts the process's current directory back at the end of the scope while
// NeedRestore is set; the code that must leave it where it is clears it.
class CurrentDirectoryRestorer {
 public:
  CurrentDirectoryRestorer();
  ~CurrentDirectoryRestorer();
  CurrentDirectoryRestorer(const CurrentDirectoryRestorer&) = delete;
  CurrentDirectoryRestorer& operator=(const CurrentDirectoryRestorer&) = delete;

  bool NeedRestore = true;

 private:
  std::string saved_;
};

}  // namespace tools
