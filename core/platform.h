// What the program asks of the system: the payload's resources, the
// installation's files and registry value, the folder chooser's drives and
// folders, and the links. Win32 implements it in tools/, the host tests with
// an in-memory fake.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace core {

struct Bytes {
  const unsigned char* data = nullptr;
  size_t size = 0;
};

// How a write or a move ended. kHeld: another program has the file open for
// the moment (a virus scanner, an indexer), or its name is being deleted;
// trying again a little later may succeed.
enum class FileResult { kDone, kHeld, kFailed };

// A folder opened so that, until this is destroyed, nobody can rename or
// remove it (or a folder above it), nor put a link in its place.
class HeldFolder {
 public:
  virtual ~HeldFolder() = default;
};

enum class DriveKind { Removable, Fixed, Network, CDRom, Ram };

struct DriveInfo {
  char letter = 0;  // lower case
  DriveKind kind = DriveKind::Fixed;
  std::string label;        // read only where core::ReadsVolumeLabel says so
  std::string networkName;  // "\\server\share" of a mapped drive
};

struct FolderContents {
  std::vector<std::string> folders;  // without "." and ".."
  std::vector<std::string> files;
};

// Links to an installed program: all the shortcut dialog asks of the system.
class LinkMaker {
 public:
  virtual ~LinkMaker() = default;
  // A link named after the target's file, on the desktop or in the group
  // folder of the Start menu's programs (created when missing), saved whole.
  // Raises when the link cannot be made.
  virtual void CreateShortcut(const std::string& target, const std::string& arguments,
                              const std::string& workDir, const std::string& group,
                              bool onDesktop) = 0;
};

// Everything the program asks of the system apart from its windows. Paths
// are text of the ANSI code page, the form the installed program uses,
// except where the folder chooser's calls say UTF-8: those list every name
// as the file system spells it.
class Platform : public LinkMaker {
 public:
  // The installer's own file.
  virtual std::string ProgramPath() = 0;
  // Raw-data resource of the installer's own module, looked up ignoring case.
  // Raises "Resource %s not found". The bytes stay valid while the module lives.
  virtual Bytes ReadResource(const std::string& name) = 0;
  // A raw-data resource by number; data is nullptr when there is none.
  virtual Bytes ProgramResource(int id) = 0;
  // The system folder; empty when it cannot be told.
  virtual std::string SystemDir() = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // A file, not a folder.
  virtual bool FileExists(const std::string& path) = 0;
  // One folder level; false when it cannot be created or exists already.
  virtual bool CreateDir(const std::string& path) = 0;
  // The calls that take a temporary name (WriteNewFile, RemoveFile,
  // RemoveLeftover, ReplaceFile's `from`) take it longer than 259
  // characters too: it is longer than the name of its file, which fits.

  // Creates the file, which must not exist: a name that exists, a link or
  // reparse point of any kind included (even one to nothing), is neither
  // opened nor followed. Writes all the bytes, sharing the file with nobody, and
  // with `durable` returns only once they are on disk; a file it created is
  // removed again when the write fails.
  virtual FileResult WriteNewFile(const std::string& path, Bytes data, bool durable) = 0;
  // Deletes a plain file (IsPlainFile), not read-only, through a handle that
  // shares nothing: a file another program holds stays, instead of vanishing
  // once that program lets go. False, and nothing touched, for anything else.
  virtual bool RemoveFile(const std::string& path) = 0;
  // RemoveFile, clearing a read-only attribute first: for the installer's
  // own temporary names, which a killed run may have left.
  virtual bool RemoveLeftover(const std::string& path) = 0;
  // A file opened as itself: no link or reparse point, no second name that
  // another folder may hold, and in the folder its path names.
  virtual bool IsPlainFile(const std::string& path) = 0;
  // The names of the files (not folders) in a folder; empty when it cannot
  // be read.
  virtual std::vector<std::string> FilesIn(const std::string& folder) = 0;
  // Never overwrites: false when the target exists or the source is missing.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
  // Moves a file in the same folder onto `to`, replacing the name there in
  // one step (never writing through it), and returns once the move is on
  // disk. kFailed when `to` cannot be replaced: read-only or a folder.
  virtual FileResult ReplaceFile(const std::string& from, const std::string& to) = 0;
  // Holds an existing folder open for HeldFolder's promise; null when it
  // cannot be opened.
  virtual std::unique_ptr<HeldFolder> HoldFolder(const std::string& path) = 0;
  // Pauses the run, for another program to let go of a file.
  virtual void Wait(int milliseconds) = 0;
  // REG_SZ value under HKEY_CURRENT_USER\key, creating the key; false on failure.
  virtual bool WriteRegString(const std::string& key, const std::string& name,
                              const std::string& value) = 0;
  // The full path of an existing folder in its long form, as a program in it
  // sees its own path: "C:\PROGRA~1\X." is "C:\Program Files\X". The text
  // itself when it cannot be resolved.
  virtual std::string FullLongPath(const std::string& path) = 0;

  // The folder chooser's questions, in UTF-8.
  // Every drive the system reports, in letter order.
  virtual std::vector<DriveInfo> ListDrives() = 0;
  // Visible (neither hidden nor system) sub-folders and files of a folder,
  // each sorted by name; empty when the folder cannot be read.
  virtual FolderContents ReadFolder(const std::string& folder) = 0;
  // Whether the volume of a full path keeps the case of names; true when it
  // cannot be asked.
  virtual bool VolumeKeepsCase(const std::string& path) = 0;
  // The process's current directory; empty when it does not fit MAX_PATH.
  virtual std::string CurrentDirectory() = 0;
  // False, and nothing changed, for an empty path or one that cannot be
  // entered.
  virtual bool ChangeCurrentDirectory(const std::string& path) = 0;
  // The current directory the system keeps for a drive ("X:" resolved); the
  // drive's root when it cannot tell.
  virtual std::string DriveCurrentDirectory(char letter) = 0;
  // Text made a full path relative to the current directory, trailing dots
  // and spaces dropped; as it is when it cannot be, empty text included.
  virtual std::string ResolvePath(const std::string& text) = 0;
  // UTF-8 text in the ANSI code page; false when a character has no exact
  // equivalent there (a look-alike would name another folder).
  virtual bool ToCodePage(const std::string& text, std::string& ansi) = 0;
  virtual std::string FromCodePage(const std::string& ansi) = 0;
};

}  // namespace core
