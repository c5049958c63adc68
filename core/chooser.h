// The folder chooser apart from its window: where it opens, how its drive
// entries read, which rows its folder list shows, where it goes, and what
// "Browse..." does with the folder chosen.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform.h"

namespace core {

// Where "Browse..." opens the chooser: the target folder when it exists,
// else the system drive's root (first three characters of the system
// folder), else "c:\".
std::string ChooserStart(const std::string& target, bool targetExists,
                         const std::string& systemDir);

// A drive root "X:\" is opened as "X:", the drive's current directory.
std::string ChooserOpenPath(const std::string& start);

// Whether the volume is queried for its label; removable media never are,
// so no drive is spun up and no "insert a disk" prompt appears.
bool ReadsVolumeLabel(DriveKind kind);

// "c: [label]" for fixed, CD and RAM drives, "x: \\server\share" for
// network drives, "a:" for removable ones; letter and label in lower case.
std::string DriveEntryText(DriveKind kind, char letter, std::string_view label,
                           std::string_view networkName);

// File systems that do not keep case show names in ASCII lower case.
std::string DisplayName(std::string_view name, bool volumeKeepsCase);

// Case-insensitive order of folder and file names.
void SortNames(std::vector<std::string>& names);

enum class FolderIcon { Open, Current, Closed };

struct FolderRow {
  std::string name;  // as the file system spells it; the root with its '\'
  std::string text;  // as shown
  int level = 0;     // indentation steps
  FolderIcon icon = FolderIcon::Closed;
};

struct FolderRows {
  std::vector<FolderRow> rows;
  size_t selected = 0;  // the current folder's row
};

// The root and each folder on the way (open), the current folder (current,
// selected), then its sub-folders in the given order (closed). `path` is a
// full path such as "C:\a\b", "C:\" or "\\server\share\a".
FolderRows BuildFolderRows(std::string_view path, const std::vector<std::string>& subFolders,
                           bool volumeKeepsCase);

// The full path a row stands for: the way down to it, or for a sub-folder
// the current folder joined with its name.
std::string RowPath(const FolderRows& rows, size_t index);

// A folder picked in the chooser, checked once: the target stays ANSI text,
// the form in which the installed program looks itself up, so a folder that
// code page cannot name is refused rather than turned into another's name.
struct Pick {
  std::string path;  // full, UTF-8
  std::string ansi;  // the same in the ANSI code page; empty when refused
  bool refused = false;
};

// Where the chooser is and what its lists show. Entering a folder makes it
// the process's current directory. Paths are UTF-8.
class FolderBrowser {
 public:
  explicit FolderBrowser(Platform& platform) : platform_(platform) {}

  // Opens on `start` (ANSI text; a drive root as that drive's current
  // directory), else on the current directory.
  void Open(const std::string& start);
  // Enters a folder and lists it; false, and nothing changed, when it
  // cannot be entered.
  bool Enter(const std::string& path);
  // Enters a drive: where the chooser left it, else the drive's current
  // directory, else its root; false, and nothing changed, when none of them
  // can be entered.
  bool EnterDrive(char letter);

  Pick PickRow(size_t index) const { return Checked(RowPath(rows_, index)); }
  // Text typed in the name field, relative to the folder shown.
  Pick PickTyped(const std::string& typed) const {
    return Checked(platform_.ResolvePath(typed));
  }

  const std::string& Folder() const { return folder_; }
  const FolderRows& Rows() const { return rows_; }
  const std::vector<std::string>& Files() const { return files_; }  // as shown

 private:
  Pick Checked(const std::string& path) const;

  Platform& platform_;
  std::string folder_;
  FolderRows rows_;
  std::vector<std::string> files_;
  std::map<char, std::string> driveFolders_;  // last folder seen per drive
};

// "Browse...": `choose` runs the chooser, opening where it is told (nothing
// when it is cancelled); the folder chosen (ANSI) is created with its
// parents. The process's current directory is put back, except when the
// creation raises "Unable to create directory": the caller's error box
// shows with the chooser's folder still current.
std::optional<std::string> BrowseForTarget(
    Platform& platform, const std::string& target,
    const std::function<std::optional<std::string>(const std::string& start)>& choose);

}  // namespace core
